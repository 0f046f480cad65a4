#pragma once

#include "engine/counters/Counter_List.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Vn
{

// The counters of a file node in fixed fields. A file's counter tree has one of a few
// shapes, so it is kept as numbers and built as counters only when a report asks for it:
// a large scan holds millions of files, and a tree of counters each would cost kilobytes
// per file.
//
// A file that was read holds "File" with its type, "Line" and the type's count with
// "Blank", "Code" and "Comment", "Directive" under the type's "Code" and "#if" when its
// language has directives, "Parsing Error" when it has errors, and "File Length", a
// histogram of its one length in lines. A file that was not read holds "File" and, when it
// could not be opened, "Parsing Error" holding "File Open Error". A skipped file holds
// nothing.
class FileCounts
{
public:
    enum Flag : uint8_t
    {
        READ = 1,       // the lines were read to the end
        DIRECTIVES = 2, // with "Directive" and "#if"
        ERROR_LAST = 4, // the first parsing error came after the lines: it follows "File Length"
    };

    // A name tested by "#if", interned, and how often.
    struct TestedName
    {
        const char* mName;
        uint64_t mCount;
    };
    using TestedNames = std::vector<TestedName>;

    FileCounts();
    ~FileCounts();

    FileCounts(const FileCounts&) = delete;
    FileCounts& operator=(const FileCounts&) = delete;

    // A file of `type`, not read yet.
    void Start(const char* type);
    // Its lines are being read; `directives` for a language that has directives.
    void StartReading(bool directives) { mFlags |= directives ? DIRECTIVES : 0; }
    // Its lines are all read: "File Length" follows what was counted so far.
    void EndReading();
    // One more parsing error. Before the reading, or without it, the file could not be read.
    void CountError();

    // Holds the counters of `list`, for a file that holds none yet: in the fields when the
    // list has one of the shapes above, else the list itself, and only it.
    void Take(std::unique_ptr<Counter_List> list);

    // Appends the file's counter tree to the empty `list`.
    void AppendTo(Counter_List& list) const;
    // Merges the file's counters into `totals`, as Counter_List::Add merges the tree that
    // AppendTo builds.
    void AddTo(Counter_List& totals) const;

    bool Has(Flag flag) const { return (mFlags & flag) != 0; }
    // The interned type; null for a skipped file.
    const char* GetType() const { return mType; }
    // The tree of a file of a shape of its own, else null.
    const Counter_List* GetWhole() const { return mWhole.get(); }
    // The names tested by "#if", in the order of their first test; made at the first.
    TestedNames& Names();

    uint64_t mLines = 0;
    uint64_t mBlank = 0;
    uint64_t mCode = 0;
    uint64_t mComment = 0;
    uint64_t mDirective = 0;
    uint64_t mConditions = 0; // the count of "#if"
    uint64_t mErrors = 0;

private:
    // Writes the tree into `list`; with `merge`, into the counter of the same name when
    // there is one, as a merge does, else appended.
    void Write(Counter_List& list, bool merge) const;
    void WriteErrors(Counter_List& list, bool merge) const;
    // Reads the fields from a tree of the usual shape.
    void Read(const Counter_List& list);

    const char* mType = nullptr;
    // Null while no name was tested, as in most files.
    std::unique_ptr<TestedNames> mNames;
    // Only for a file read back in a shape of its own, whose tree is kept as it is.
    std::unique_ptr<Counter_List> mWhole;
    uint8_t mFlags = 0;
};

} // namespace Vn
