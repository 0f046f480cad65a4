#pragma once

#include "engine/languages/LanguageLexer.h"
#include "engine/languages/LanguageTable.h"
#include "engine/parsers/FileParser.h"
#include "engine/parsers/LineReader.h"

#include <memory>

namespace Vn
{

class Counter_Count;

// Reads every file through the language table: detects its language, then counts its
// lines with the table's lexing machine, or searches them zone by zone. A line is what
// ends with a line feed (or with the file), however long it is: long lines come in bounded
// pieces and the machine carries its state across them.
//
// The table is shared read-only; the reader, the machine and the counters being filled
// belong to this parser, which serves one thread at a time.
class FileParser_Language : public FileParser
{
public:
    // Pieces longer than this are handed over in parts, so that the buffer stays bounded.
    static constexpr size_t MAX_PIECE = 1024 * 1024;

    // Files with one of the labels of `skip` are neither counted nor searched.
    explicit FileParser_Language(std::shared_ptr<const LanguageTable> table, LabelSet skip = 0);

    // Counters: "File" holding the language's name ("Unknown" or "Binary" without one),
    // then for a text file "Line", the language's count, "#if" where the language has
    // directives, "Parsing Error" when there was one, and "File Length". The node carries
    // the file's label; a skipped file's node carries nothing else.
    std::unique_ptr<Data_Node> Parse(const char* fileName) override;
    std::unique_ptr<Data_Node> Parse(const char* fileName, const LabelHints& hints);
    // A file of a selected language, searched in the selected zones; with no type selected,
    // a text file of no known language is searched as code. Binary files never are, nor
    // skipped ones.
    std::unique_ptr<SearchResult_File> Search(const char* fileName,
                                              const SearchRequest& request) override;
    std::unique_ptr<SearchResult_File> Search(const char* fileName, const SearchRequest& request,
                                              const LabelHints& hints);
    bool CanSearch() const override;

    const LanguageTable& GetTable() const { return *mTable; }
    LabelSet GetSkip() const { return mSkip; }
    // Whether the last search passed over a binary file.
    bool SkippedBinary() const { return mSkippedBinary; }

private:
    struct Counters
    {
        Counter_Count* mLine = nullptr;
        Counter_Count* mBlank = nullptr;
        Counter_Count* mCode = nullptr;
        Counter_Count* mComment = nullptr;
        Counter_Count* mType = nullptr;
        Counter_Count* mTypeBlank = nullptr;
        Counter_Count* mTypeCode = nullptr;
        Counter_Count* mTypeComment = nullptr;
        Counter_Count* mDirective = nullptr;
        Counter_Count* mIf = nullptr;
    };

    // Opens the file and detects its language; null for a binary file or none known. A file
    // that cannot be opened gets the language its name gives.
    const Language* OpenAndDetect(const char* fileName, const TextFinder* finder, bool& binary);
    // The labels of the open file's hints, name and first bytes; sets up the watch for a
    // long line.
    LabelFinding FindLabels(const char* fileName, const LabelHints& hints);
    // Adds the long-line label once the file's lines are read.
    void AddLongLineLabel(LabelFinding& labels) const;
    // Whether a long line could still make the open file one to skip.
    bool SkipsLongLines() const
    {
        return mLongLineLimit != 0 && (mSkip & Bit(mLongLineLabel)) != 0;
    }
    void MeasurePiece(bool endsLine);
    std::unique_ptr<Data_Node> Count(const char* fileName, const Language* language, bool binary);
    Counters CreateCounters(Data_Node& node, const Language& language);
    // Counts the lines; the number of lines, and whether the file ended inside a construct.
    uint64_t CountLines(const Counters& counters, bool& unclosed);
    void CountLine(const Counters& counters);
    void CountName(Counter_Count& census, std::string_view name);
    void SearchLines(const Language* language, const SearchRequest& request,
                     SearchResult_File& result);
    bool MatchesInZones(const char* piece, size_t size, const SearchRequest& request) const;

    std::shared_ptr<const LanguageTable> mTable;
    LineReader mReader;
    LanguageLexer mLexer;
    std::string mName;    // reused for each census name looked up
    bool mOpened = false; // the file being read could be opened
    bool mSkippedBinary = false;
    LabelSet mSkip = 0;
    // The long-line watch of the open file: the limit (0 for none) and its label, the
    // length of the line being read and the longest one so far.
    size_t mLongLineLimit = 0;
    Label mLongLineLabel = Label::NONE;
    size_t mLineLength = 0;
    size_t mLongestLine = 0;
};

} // namespace Vn
