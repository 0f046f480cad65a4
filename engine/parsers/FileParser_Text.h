#pragma once

#include "engine/parsers/FileParser.h"

namespace Vn
{

// The compiled parser of plain text files, and the base of every parser that reads a
// file's contents: it reads the file line by line, classifies each line as blank, code or
// comment and counts the lines twice, under "Line" and under a counter named after the
// type, so that both the total and the share per type add up across the tree. Plain text
// has no comments. The protected hooks let the derived parsers refine the classification
// and the search; they keep what they change in the context.
class FileParser_Text : public FileParser
{
public:
    // Counts the file's lines by kind, its directives when CountsDirectives, and its
    // parsing errors. A file that cannot be opened, or whose reading fails, counts one
    // parsing error and no lines.
    std::unique_ptr<Data_Node> Parse(const char* fileName, const char* type,
                                     ReadingContext& context) const override;
    // Null without the request's InContent flag, for a file that cannot be opened, and
    // when no line matches.
    std::unique_ptr<SearchResult_File> Search(const char* fileName, const SearchRequest& request,
                                              ReadingContext& context) const override;

    bool CanSearch() const override;

protected:
    // Whether the type has directives and conditions to count.
    virtual bool CountsDirectives() const;
    virtual bool IsBlank(const char* line) const;
    virtual bool IsComment(const char* line, const ReadingContext& context) const;
    virtual void ParseLine_Blank(const char* line, ReadingContext& context) const;
    virtual void ParseLine_Code(const char* line, ReadingContext& context) const;
    virtual void ParseLine_Comment(const char* line, ReadingContext& context) const;
    virtual void ParseLine(const char* line, ReadingContext& context) const;
    virtual void Search_Code(const char* line, ReadingContext& context) const;
    virtual void Search_Comment(const char* line, ReadingContext& context) const;
    virtual void Search_Line(const char* line, ReadingContext& context) const;
    // Called in a search, in place of Search_Line, for a line that cannot hold the text,
    // so that a parser carrying state from line to line can keep it. Does nothing here.
    virtual void Search_Skip(const char* line, ReadingContext& context) const;

    static void AddParsingError(ReadingContext& context);

private:
    // Read the open file, numbering the lines, and close it.
    void ParseLines(ReadingContext& context) const;
    // Stops at the last line that may hold the text.
    void SearchLines(ReadingContext& context) const;
    static void AddIfFound(const char* line, ReadingContext& context);
};

} // namespace Vn
