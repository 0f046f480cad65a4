#include "engine/parsers/FileParser_Text.h"

#include "engine/parsers/ReadingContext.h"
#include "engine/search/LineMatches.h"
#include "engine/search/TextFinder.h"
#include "lib/Ascii.h"

namespace Vn
{

std::unique_ptr<Data_Node> FileParser_Text::Parse(const char* fileName, const char* type,
                                                  ReadingContext& context) const
{
    std::unique_ptr<Data_Node> node = CreateFileNode(fileName, type);
    context.mNode = node.get();
    context.mUnreadable = !context.mReader.Open(fileName);
    if (!context.mUnreadable)
    {
        context.mCounters.Start(*node, CountsDirectives());
        ParseLines(context);
        // A read error leaves the lines of part of the file: they are dropped, and the
        // file counts as one that could not be read.
        context.mUnreadable = context.mReader.ReadError() != 0;
        if (context.mUnreadable)
        {
            node = CreateFileNode(fileName, type);
            context.mNode = node.get();
        }
        else
            node->mCounts.EndReading();
    }
    if (context.mUnreadable)
        node->mCounts.CountError();
    context.mNode = nullptr;
    return node;
}

std::unique_ptr<SearchResult_File> FileParser_Text::Search(const char* fileName,
                                                           const SearchRequest& request,
                                                           ReadingContext& context) const
{
    if (!request.mFlags.InContent)
        return nullptr;
    auto result = std::make_unique<SearchResult_File>(fileName);
    context.mRequest = &request;
    context.mResult = result.get();
    const TextFinder finder(request);
    if (context.mReader.Open(fileName, &finder))
        SearchLines(context);
    context.mRequest = nullptr;
    context.mResult = nullptr;
    if (result->GetCount() == 0)
        return nullptr;
    return result;
}

bool FileParser_Text::CanSearch() const
{
    return true;
}

void FileParser_Text::ParseLines(ReadingContext& context) const
{
    context.mLineNumber = 0;
    while (const char* line = context.mReader.Next())
    {
        context.mLineNumber++;
        ParseLine(line, context);
    }
    context.mReader.Close();
}

// Only the lines in which the reader sees the text can match; the others are skipped,
// and the reading ends where the text occurs no more, or once enough lines matched.
void FileParser_Text::SearchLines(ReadingContext& context) const
{
    LineReader& reader = context.mReader;
    context.mLineNumber = 0;
    while (const char* line = reader.Next())
    {
        if (!reader.TextAhead() || context.mResult->GetCount() >= context.mRequest->mMaxLines)
            break;
        context.mLineNumber++;
        if (reader.PieceHoldsText())
            Search_Line(line, context);
        else
            Search_Skip(line, context);
    }
    reader.Close();
}

bool FileParser_Text::CountsDirectives() const
{
    return false;
}

bool FileParser_Text::IsBlank(const char* line) const
{
    for (; *line != '\0'; line++)
    {
        if (!TrovLib::Ascii::IsBlank(*line))
            return false;
    }
    return true;
}

bool FileParser_Text::IsComment(const char* /*line*/, const ReadingContext& /*context*/) const
{
    return false;
}

void FileParser_Text::ParseLine_Blank(const char* /*line*/, ReadingContext& context) const
{
    context.mCounters.CountBlank();
}

void FileParser_Text::ParseLine_Code(const char* /*line*/, ReadingContext& context) const
{
    context.mCounters.CountCode();
}

void FileParser_Text::ParseLine_Comment(const char* /*line*/, ReadingContext& context) const
{
    context.mCounters.CountComment();
}

void FileParser_Text::ParseLine(const char* line, ReadingContext& context) const
{
    context.mCounters.CountLine();
    if (IsBlank(line))
        ParseLine_Blank(line, context);
    else if (IsComment(line, context))
        ParseLine_Comment(line, context);
    else
        ParseLine_Code(line, context);
}

void FileParser_Text::AddParsingError(ReadingContext& context)
{
    context.mNode->mCounts.CountError();
}

void FileParser_Text::Search_Code(const char* line, ReadingContext& context) const
{
    AddIfFound(line, context);
}

void FileParser_Text::Search_Comment(const char* line, ReadingContext& context) const
{
    AddIfFound(line, context);
}

void FileParser_Text::Search_Line(const char* line, ReadingContext& context) const
{
    const SearchRequest::Flags flags = context.mRequest->mFlags;
    if (IsBlank(line))
        return;
    if (IsComment(line, context))
    {
        if (flags.InComment)
            Search_Comment(line, context);
    }
    else if (flags.InCode || flags.InComment || flags.InDirective || flags.InString)
        Search_Code(line, context);
}

void FileParser_Text::Search_Skip(const char* /*line*/, ReadingContext& /*context*/) const {}

// Adds the line to the result, with every match, when the request finds its text in it.
void FileParser_Text::AddIfFound(const char* line, ReadingContext& context)
{
    if (context.mRequest->Find(line))
        LineMatches(*context.mRequest, line, context.mLineNumber, *context.mResult).AddEverywhere();
}

} // namespace Vn
