#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Vn
{

// What a file is besides its language, when it is not its owners' own code: code that a
// tool made, that was copied in, minified, a lock file, or documentation.
enum class Label : uint8_t
{
    NONE,
    GENERATED,
    VENDORED,
    MINIFIED,
    LOCK,
    DOCUMENTATION,
};
inline constexpr Label LABELS[] = {Label::GENERATED, Label::VENDORED, Label::MINIFIED, Label::LOCK,
                                   Label::DOCUMENTATION};

// Labels as bits, so that a file may carry several and options may skip several.
using LabelSet = uint8_t;
constexpr LabelSet Bit(Label label)
{
    return static_cast<LabelSet>(1u << static_cast<unsigned>(label));
}

// What the walk knows of a file before it is read: the labels its .gitattributes set and
// unset, and those that a folder above it gives.
struct LabelHints
{
    LabelSet mSet = 0;
    LabelSet mUnset = 0;
    LabelSet mFolder = 0;
};

// The labels found for a file. The first rule that gives one, in the order attributes,
// folder, name, first bytes, long line, decides the label shown; the others still count
// for skipping. The rule is put in words only when a reason is asked for.
struct LabelFinding
{
    LabelSet mSet = 0;
    LabelSet mUnset = 0; // what the file's attributes refuse
    Label mFirst = Label::NONE;
    std::string* mReason = nullptr;

    explicit LabelFinding(const LabelHints& hints, std::string* reason = nullptr);
    void Add(Label label, std::string_view rule, std::string_view detail);
    void AddLongLine(Label label, size_t limit);
};

// The rules that label files, read from the label records of the language files
// ("[label:generated]"): folder names, file names, file-name patterns, markers in the first
// KiB, and a line length that only minified code reaches. Immutable once loaded: shared
// read-only between threads.
class FileLabels
{
public:
    struct Rules
    {
        std::vector<std::string> mFolders; // component patterns, matched at any depth
        std::vector<std::string> mFileNames;
        std::vector<std::string> mGlobs;
        std::vector<std::string> mMarkers;
        size_t mLongLine = 0;                         // a longer line gives the label...
        std::vector<std::string> mLongLineExtensions; // ...to a file of these extensions
    };

    static constexpr size_t MARKER_BYTES = 1024;

    // "Generated", as counters show it, and "generated", as records and --table name it.
    static const char* Name(Label label);
    static const char* Id(Label label);
    // The label of an id, or NONE.
    static Label FromId(std::string_view id);

    Rules& Edit(Label label) { return mRules[static_cast<size_t>(label)]; }

    // The labels that a folder named `name` gives to everything below it.
    LabelSet ByFolder(std::string_view name) const;
    // Adds the labels of the folders that a path names, for a file met outside a walk.
    void ByFolders(std::string_view path, LabelFinding& finding) const;
    // Adds the labels of the file's name, without folders, and of its first bytes.
    void ByName(std::string_view name, LabelFinding& finding) const;
    void ByHead(std::string_view head, LabelFinding& finding) const;
    // The length above which a line labels the file named `name`, and that label; 0 when no
    // line does.
    size_t LongLineLimit(std::string_view name, Label& label) const;

private:
    std::array<Rules, std::size(LABELS) + 1> mRules;
};

} // namespace Vn
