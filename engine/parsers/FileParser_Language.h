#pragma once

#include "engine/languages/LanguageTable.h"
#include "engine/parsers/FileParser.h"
#include "engine/parsers/ReadingContext.h"

#include <memory>

namespace Vn
{

// The parser that reads every file through the language table: it detects a file's
// language, then counts its lines with the table's lexing machine, or searches them zone by
// zone. A line is what ends with a line feed (or with the file), however long it is: long
// lines come in bounded pieces and the machine carries its state across them.
//
// Like the table it reads, it never changes once made and is shared by every worker; the
// reader, the machine and the counters being filled belong to the worker's context.
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
    // the file's label; a skipped file's node carries nothing else. The registry's type
    // plays no part.
    std::unique_ptr<Data_Node> Parse(const char* fileName, const char* type,
                                     ReadingContext& context) const override;
    std::unique_ptr<Data_Node> Parse(const char* fileName, const LabelHints& hints,
                                     ReadingContext& context) const;
    // A file of a selected language, searched in the selected zones; with no type selected,
    // a text file of no known language is searched as code. Binary files never are, nor
    // skipped ones: the context tells whether the search passed over a binary file.
    std::unique_ptr<SearchResult_File> Search(const char* fileName, const SearchRequest& request,
                                              ReadingContext& context) const override;
    std::unique_ptr<SearchResult_File> Search(const char* fileName, const SearchRequest& request,
                                              const LabelHints& hints,
                                              ReadingContext& context) const;
    bool CanSearch() const override;

    const LanguageTable& GetTable() const { return *mTable; }

private:
    // Opens the file and detects its language; null for a binary file or none known. A file
    // that cannot be opened gets the language its name gives.
    const Language* OpenAndDetect(const char* fileName, const TextFinder* finder, bool& binary,
                                  ReadingContext& context) const;
    // The labels of the open file's hints, name and first bytes; sets up the watch for a
    // long line.
    LabelFinding FindLabels(const char* fileName, const LabelHints& hints,
                            ReadingContext& context) const;
    // Whether a long line could still make the open file one to skip.
    bool SkipsLongLines(const ReadingContext& context) const;
    std::unique_ptr<Data_Node> Count(const char* fileName, const Language* language, bool binary,
                                     ReadingContext& context) const;
    // Counts the lines, and tells whether the file ended inside a construct.
    static void CountLines(ReadingContext& context, bool& unclosed);
    static void CountLine(ReadingContext& context);
    static void SearchLines(const Language* language, const SearchRequest& request,
                            SearchResult_File& result, ReadingContext& context);
    static void AddMatchesInZones(const char* piece, size_t size, uint64_t line,
                                  const SearchRequest& request, const LanguageLexer& lexer,
                                  SearchResult_File& result);

    const std::shared_ptr<const LanguageTable> mTable;
    const LabelSet mSkip;
};

} // namespace Vn
