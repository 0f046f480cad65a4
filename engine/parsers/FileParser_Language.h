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

    explicit FileParser_Language(std::shared_ptr<const LanguageTable> table);

    // Counters: "File" holding the language's name ("Unknown" or "Binary" without one),
    // then for a text file "Line", the language's count, "#if" where the language has
    // directives, "Parsing Error" when there was one, and "File Length".
    std::unique_ptr<Data_Node> Parse(const char* fileName) override;
    // A file of a selected language, searched in the selected zones; with no type selected,
    // a text file of no known language is searched as code. Binary files never are.
    std::unique_ptr<SearchResult_File> Search(const char* fileName,
                                              const SearchRequest& request) override;
    bool CanSearch() const override;

    const LanguageTable& GetTable() const { return *mTable; }
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
};

} // namespace Vn
