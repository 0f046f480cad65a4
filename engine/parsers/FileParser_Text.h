#pragma once

#include "engine/parsers/FileParser.h"
#include "engine/parsers/LineReader.h"

#include <cstdint>

namespace Vn
{

class Counter_Count;

// Plain text files, and the base of every parser that reads a file's contents: it
// reads the file line by line, classifies each line as blank, code or comment and
// counts the lines twice, under "Line" and under a counter named after the type, so
// that both the total and the share per type add up across the tree. Plain text
// has no comments. The protected hooks let the derived parsers refine the
// classification and the search.
class FileParser_Text : public FileParser
{
public:
    explicit FileParser_Text(const char* type);

    // Counters in this order: "File", "Line", the type's count, what CreateCounters of a
    // derived parser adds, "Parsing Error" when there was one, and "File Length". A file
    // that cannot be opened, or whose reading fails, gets "Parsing Error" holding
    // "File Open Error" instead.
    std::unique_ptr<Data_Node> Parse(const char* fileName) override;
    // Null without the request's InContent flag, for a file that cannot be opened, and
    // when no line matches.
    std::unique_ptr<SearchResult_File> Search(const char* fileName,
                                              const SearchRequest& request) override;

    std::unique_ptr<FileParser> Clone(const char* type) const override;
    bool CanSearch() const override;

protected:
    virtual void CreateCounters();
    virtual bool IsBlank(const char* line);
    virtual bool IsComment(const char* line);
    virtual void ParseLine_Blank(const char* line);
    virtual void ParseLine_Code(const char* line);
    virtual void ParseLine_Comment(const char* line);
    virtual void ParseLine(const char* line);
    virtual Counter_Count* AddParsingError(Data_Node& file);
    virtual void AddParsingError();
    virtual void Search_Code(const char* line);
    virtual void Search_Comment(const char* line);
    virtual void Search_Line(const char* line);
    // Called in a search, in place of Search_Line, for a line that cannot hold the text,
    // so that a parser carrying state from line to line can keep it. Does nothing here.
    virtual void Search_Skip(const char* line);

    // Per-call state: set at the start of Parse or Search, cleared at its end. The
    // counters belong to the node being filled.
    Data_Node* mNode = nullptr;
    const SearchRequest* mRequest = nullptr;
    SearchResult_File* mResult = nullptr;
    uint64_t mLineNumber = 0;
    bool mUnreadable = false; // the file of the last Parse could not be opened or read
    Counter_Count* mCounter_Type_Code = nullptr;
    Counter_Count* mCounter_Line = nullptr;
    Counter_Count* mCounter_Blank = nullptr;
    Counter_Count* mCounter_Code = nullptr;
    Counter_Count* mCounter_Comment = nullptr;
    Counter_Count* mCounter_ParsingError = nullptr;
    Counter_Count* mCounter_Type = nullptr;
    Counter_Count* mCounter_Type_Blank = nullptr;
    Counter_Count* mCounter_Type_Comment = nullptr;

private:
    // Read the open file, numbering the lines, and close it.
    void ParseLines();
    // Stops at the last line that may hold the text.
    void SearchLines();
    void AddIfFound(const char* line);

    LineReader mReader;
};

} // namespace Vn
