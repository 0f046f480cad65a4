#include "engine/parsers/FileParser_Text.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/search/TextFinder.h"
#include "engine/tree/CounterSchema.h"
#include "lib/Ascii.h"

namespace Vn
{

FileParser_Text::FileParser_Text(const char* type) : FileParser(type) {}

std::unique_ptr<Data_Node> FileParser_Text::Parse(const char* fileName)
{
    mCounter_ParsingError = nullptr;
    std::unique_ptr<Data_Node> node = FileParser::Parse(fileName);
    mNode = node.get();
    mUnreadable = !mReader.Open(fileName);
    if (!mUnreadable)
    {
        CreateCounters();
        ParseLines();
        // A read error leaves the lines of part of the file: they are dropped, and the
        // file counts as one that could not be read.
        mUnreadable = mReader.ReadError() != 0;
        if (mUnreadable)
        {
            node = FileParser::Parse(fileName);
            mNode = node.get();
            mCounter_ParsingError = nullptr;
        }
        else
        {
            auto length =
                std::make_unique<Counter_Histogram>(Schema::NAME_FILE_LENGTH, "lines", "files");
            length->AddValue(mLineNumber, 1);
            node->mCounters.Append(std::move(length));
        }
    }
    if (mUnreadable)
    {
        AddParsingError();
        mCounter_ParsingError->mCounters.Append(
            std::make_unique<Counter_Count>("File Open Error", 1));
    }
    mNode = nullptr;
    return node;
}

std::unique_ptr<SearchResult_File> FileParser_Text::Search(const char* fileName,
                                                           const SearchRequest& request)
{
    if (!request.mFlags.InContent)
        return nullptr;
    auto result = std::make_unique<SearchResult_File>(fileName);
    mRequest = &request;
    mResult = result.get();
    const TextFinder finder(request);
    if (mReader.Open(fileName, &finder))
        SearchLines();
    mRequest = nullptr;
    mResult = nullptr;
    if (result->GetCount() == 0)
        return nullptr;
    return result;
}

std::unique_ptr<FileParser> FileParser_Text::Clone(const char* type) const
{
    return std::make_unique<FileParser_Text>(type);
}

bool FileParser_Text::CanSearch() const
{
    return true;
}

void FileParser_Text::ParseLines()
{
    mLineNumber = 0;
    while (const char* line = mReader.Next())
    {
        mLineNumber++;
        ParseLine(line);
    }
    mReader.Close();
}

// Only the lines in which the reader sees the text can match; the others are skipped,
// and the reading ends where the text occurs no more, or once enough lines matched.
void FileParser_Text::SearchLines()
{
    mLineNumber = 0;
    while (const char* line = mReader.Next())
    {
        if (!mReader.TextAhead() || mResult->GetCount() >= mRequest->mMaxLines)
            break;
        mLineNumber++;
        if (mReader.PieceHoldsText())
            Search_Line(line);
        else
            Search_Skip(line);
    }
    mReader.Close();
}

void FileParser_Text::CreateCounters()
{
    auto line = std::make_unique<Counter_Count>(Schema::NAME_LINE, 0);
    mCounter_Blank = line->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_BLANK, 0));
    mCounter_Code = line->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_CODE, 0));
    mCounter_Comment =
        line->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_COMMENT, 0));

    auto type = std::make_unique<Counter_Count>(mType, 0);
    mCounter_Type_Blank =
        type->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_BLANK, 0));
    mCounter_Type_Code =
        type->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_CODE, 0));
    mCounter_Type_Comment =
        type->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_COMMENT, 0));

    mCounter_Line = mNode->mCounters.Append(std::move(line));
    mCounter_Type = mNode->mCounters.Append(std::move(type));
}

bool FileParser_Text::IsBlank(const char* line)
{
    for (; *line != '\0'; line++)
    {
        if (!TrovLib::Ascii::IsBlank(*line))
            return false;
    }
    return true;
}

bool FileParser_Text::IsComment(const char* /*line*/)
{
    return false;
}

void FileParser_Text::ParseLine_Blank(const char* /*line*/)
{
    (*mCounter_Blank)++;
    (*mCounter_Type_Blank)++;
}

void FileParser_Text::ParseLine_Code(const char* /*line*/)
{
    (*mCounter_Code)++;
    (*mCounter_Type_Code)++;
}

void FileParser_Text::ParseLine_Comment(const char* /*line*/)
{
    (*mCounter_Comment)++;
    (*mCounter_Type_Comment)++;
}

void FileParser_Text::ParseLine(const char* line)
{
    (*mCounter_Line)++;
    (*mCounter_Type)++;
    if (IsBlank(line))
        ParseLine_Blank(line);
    else if (IsComment(line))
        ParseLine_Comment(line);
    else
        ParseLine_Code(line);
}

Counter_Count* FileParser_Text::AddParsingError(Data_Node& file)
{
    if (mCounter_ParsingError == nullptr)
        mCounter_ParsingError =
            file.mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_PARSING_ERROR, 0));
    (*mCounter_ParsingError)++;
    return mCounter_ParsingError;
}

void FileParser_Text::AddParsingError()
{
    AddParsingError(*mNode);
}

void FileParser_Text::Search_Code(const char* line)
{
    AddIfFound(line);
}

void FileParser_Text::Search_Comment(const char* line)
{
    AddIfFound(line);
}

void FileParser_Text::Search_Line(const char* line)
{
    const SearchRequest::Flags flags = mRequest->mFlags;
    if (IsBlank(line))
        return;
    if (IsComment(line))
    {
        if (flags.InComment)
            Search_Comment(line);
    }
    else if (flags.InCode || flags.InComment || flags.InDirective || flags.InString)
        Search_Code(line);
}

void FileParser_Text::Search_Skip(const char* /*line*/) {}

// Adds the line to the result when the request finds its text in it.
void FileParser_Text::AddIfFound(const char* line)
{
    if (mRequest->Find(line))
        mResult->AddLine(mLineNumber, line);
}

} // namespace Vn
