#include "engine/parsers/FileParser_Language.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/search/TextFinder.h"
#include "engine/tree/CounterSchema.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace Vn
{

namespace
{

using Lexer = LanguageLexer;

bool IsZoneSelected(uint8_t zone, const SearchRequest::Flags& flags)
{
    switch (zone)
    {
    case Lexer::ZONE_COMMENT:
        return flags.InComment;
    case Lexer::ZONE_DIRECTIVE:
        return flags.InDirective;
    case Lexer::ZONE_STRING:
        return flags.InString;
    default:
        return flags.InCode;
    }
}

// What a file that could not be opened or read counts, beside its "File".
void AddOpenError(Data_Node& node)
{
    auto error = std::make_unique<Counter_Count>(Schema::NAME_PARSING_ERROR, 1);
    error->mCounters.Append(std::make_unique<Counter_Count>("File Open Error", 1));
    node.mCounters.Append(std::move(error));
}

} // namespace

FileParser_Language::FileParser_Language(std::shared_ptr<const LanguageTable> table, LabelSet skip)
    : FileParser(Schema::NAME_UNKNOWN), mTable(std::move(table)), mSkip(skip)
{
    mName.reserve(64);
}

bool FileParser_Language::CanSearch() const
{
    return true;
}

const Language* FileParser_Language::OpenAndDetect(const char* fileName, const TextFinder* finder,
                                                   bool& binary)
{
    binary = false;
    mLineLength = 0;
    mLongestLine = 0;
    mOpened = mReader.Open(fileName, finder, MAX_PIECE);
    return mTable->Detect(
        fileName, [this] { return mReader.Head(LanguageTable::HEAD_SIZE); }, binary);
}

LabelFinding FileParser_Language::FindLabels(const char* fileName, const LabelHints& hints)
{
    LabelFinding labels(hints);
    const FileLabels& rules = mTable->GetLabels();
    const char* separator = std::strrchr(fileName, '/');
    const std::string_view name = separator != nullptr ? separator + 1 : fileName;
    rules.ByName(name, labels);
    rules.ByHead(mReader.Head(FileLabels::MARKER_BYTES), labels);
    mLongLineLimit = rules.LongLineLimit(name, mLongLineLabel);
    return labels;
}

void FileParser_Language::AddLongLineLabel(LabelFinding& labels) const
{
    if (mLongLineLimit != 0 && mLongestLine > mLongLineLimit)
        labels.AddLongLine(mLongLineLabel, mLongLineLimit);
}

void FileParser_Language::MeasurePiece(bool endsLine)
{
    mLineLength += mReader.PieceSize();
    if (endsLine)
    {
        mLongestLine = std::max(mLongestLine, mLineLength);
        mLineLength = 0;
    }
}

std::unique_ptr<Data_Node> FileParser_Language::Parse(const char* fileName)
{
    return Parse(fileName, LabelHints());
}

// A file that its hints, name or first bytes skip is read no further; one that a long line
// skips is read, then dropped.
std::unique_ptr<Data_Node> FileParser_Language::Parse(const char* fileName, const LabelHints& hints)
{
    bool binary = false;
    const Language* language = OpenAndDetect(fileName, nullptr, binary);
    LabelFinding labels = FindLabels(fileName, hints);
    std::unique_ptr<Data_Node> node;
    if ((labels.mSet & mSkip) == 0)
    {
        node = Count(fileName, language, binary);
        AddLongLineLabel(labels);
    }
    mReader.Close();
    if ((labels.mSet & mSkip) != 0)
    {
        node = std::make_unique<Data_Node>(fileName);
        node->mSkipped = true;
    }
    node->mLabel = labels.mFirst;
    return node;
}

std::unique_ptr<Data_Node> FileParser_Language::Count(const char* fileName,
                                                      const Language* language, bool binary)
{
    const char* type = language != nullptr ? language->mName.c_str()
                       : binary            ? "Binary"
                                           : Schema::NAME_UNKNOWN;
    std::unique_ptr<Data_Node> node = CreateFileNode(fileName, type);
    if (language == nullptr)
    {
        // Detection may have read the first bytes, and failed to.
        if (mReader.ReadError() != 0)
            AddOpenError(*node);
        mReader.Close();
        return node;
    }
    if (!mOpened)
    {
        AddOpenError(*node);
        return node;
    }
    const Counters counters = CreateCounters(*node, *language);
    mLexer.Begin(*language, false);
    bool unclosed = false;
    const uint64_t lines = CountLines(counters, unclosed);
    // A read error leaves the lines of part of the file: they are dropped, and the file
    // counts as one that could not be read.
    if (mReader.ReadError() != 0)
    {
        node = CreateFileNode(fileName, type);
        AddOpenError(*node);
        return node;
    }
    if (unclosed)
        node->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_PARSING_ERROR, 1));
    auto length = std::make_unique<Counter_Histogram>(Schema::NAME_FILE_LENGTH, "lines", "files");
    length->AddValue(lines, 1);
    node->mCounters.Append(std::move(length));
    return node;
}

FileParser_Language::Counters FileParser_Language::CreateCounters(Data_Node& node,
                                                                  const Language& language)
{
    Counters counters;
    auto line = std::make_unique<Counter_Count>(Schema::NAME_LINE, 0);
    counters.mBlank =
        line->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_BLANK, 0));
    counters.mCode = line->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_CODE, 0));
    counters.mComment =
        line->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_COMMENT, 0));
    auto type = std::make_unique<Counter_Count>(language.mName.c_str(), 0);
    counters.mTypeBlank =
        type->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_BLANK, 0));
    counters.mTypeCode =
        type->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_CODE, 0));
    counters.mTypeComment =
        type->mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_COMMENT, 0));
    counters.mLine = node.mCounters.Append(std::move(line));
    counters.mType = node.mCounters.Append(std::move(type));
    if (language.mHasDirectives)
    {
        counters.mDirective = counters.mTypeCode->mCounters.Append(
            std::make_unique<Counter_Count>(Schema::NAME_DIRECTIVE, 0));
        counters.mIf =
            node.mCounters.Append(std::make_unique<Counter_Count>(Schema::NAME_CONDITIONS, 0));
    }
    return counters;
}

uint64_t FileParser_Language::CountLines(const Counters& counters, bool& unclosed)
{
    uint64_t lines = 0;
    while (const char* piece = mReader.Next())
    {
        const bool endsLine = mReader.PieceEndsLine();
        mLexer.Feed(piece, piece + mReader.PieceSize(), endsLine);
        if (counters.mIf != nullptr)
        {
            for (std::string_view name : mLexer.GetNames())
                CountName(*counters.mIf, name);
        }
        MeasurePiece(endsLine);
        if (endsLine)
        {
            lines++;
            CountLine(counters);
        }
    }
    mReader.Close();
    unclosed = mLexer.End();
    return lines;
}

void FileParser_Language::CountLine(const Counters& counters)
{
    (*counters.mLine)++;
    (*counters.mType)++;
    switch (mLexer.GetClass())
    {
    case LanguageLexer::LineClass::BLANK:
        (*counters.mBlank)++;
        (*counters.mTypeBlank)++;
        break;
    case LanguageLexer::LineClass::CODE:
        (*counters.mCode)++;
        (*counters.mTypeCode)++;
        break;
    case LanguageLexer::LineClass::COMMENT:
        (*counters.mComment)++;
        (*counters.mTypeComment)++;
        break;
    }
    if (counters.mDirective != nullptr && mLexer.StartsDirective())
        (*counters.mDirective)++;
    if (counters.mIf != nullptr && mLexer.StartsCondition())
        (*counters.mIf)++;
}

void FileParser_Language::CountName(Counter_Count& census, std::string_view name)
{
    mName.assign(name);
    auto* counter =
        static_cast<Counter_Count*>(census.mCounters.Find(Counter_Count::TYPE, mName.c_str()));
    if (counter == nullptr)
        counter = census.mCounters.Append(std::make_unique<Counter_Count>(mName.c_str(), 0));
    (*counter)++;
}

std::unique_ptr<SearchResult_File> FileParser_Language::Search(const char* fileName,
                                                               const SearchRequest& request)
{
    return Search(fileName, request, LabelHints());
}

// A file that matched is read to its end when a long line could still skip it.
std::unique_ptr<SearchResult_File> FileParser_Language::Search(const char* fileName,
                                                               const SearchRequest& request,
                                                               const LabelHints& hints)
{
    mSkippedBinary = false;
    if (!request.mFlags.InContent)
        return nullptr;
    const TextFinder finder(request);
    bool binary = false;
    const Language* language = OpenAndDetect(fileName, &finder, binary);
    LabelFinding labels = FindLabels(fileName, hints);
    const bool skipped = (labels.mSet & mSkip) != 0;
    mSkippedBinary = binary && !skipped;
    const bool selected = language != nullptr ? request.IsFileTypeSelected(language->mName.c_str())
                                              : !binary && request.mFileTypes.empty();
    auto result = std::make_unique<SearchResult_File>(fileName);
    if (selected && !skipped)
        SearchLines(language, request, *result);
    if (result->GetCount() != 0 && SkipsLongLines())
    {
        while (mReader.Next() != nullptr)
            MeasurePiece(mReader.PieceEndsLine());
        AddLongLineLabel(labels);
    }
    mReader.Close();
    return result->GetCount() == 0 || (labels.mSet & mSkip) != 0 ? nullptr : std::move(result);
}

// A text of no known language is all code. Once the text occurs no more ahead, the rest
// of the file cannot match; once enough lines matched, it does not count.
void FileParser_Language::SearchLines(const Language* language, const SearchRequest& request,
                                      SearchResult_File& result)
{
    static const Language PLAIN_TEXT;
    mLexer.Begin(language != nullptr ? *language : PLAIN_TEXT, true);
    uint64_t line = 1;
    while (const char* piece = mReader.Next())
    {
        if (!mReader.TextAhead() || result.GetCount() >= request.mMaxLines)
            break;
        const bool endsLine = mReader.PieceEndsLine();
        mLexer.Feed(piece, piece + mReader.PieceSize(), endsLine);
        MeasurePiece(endsLine);
        if (mReader.PieceHoldsText() && MatchesInZones(piece, mReader.PieceSize(), request))
            result.AddLine(line, piece);
        line += endsLine ? 1 : 0;
    }
}

// Whether the text stands at a place of the piece whose zone the request selects.
bool FileParser_Language::MatchesInZones(const char* piece, size_t size,
                                         const SearchRequest& request) const
{
    // The finder points at every piece for an expression: one look at the whole piece
    // spares a look at each place of a piece that cannot match.
    if (request.mFlags.Regex && !request.Find(piece))
        return false;
    const auto& zones = mLexer.GetZones();
    size_t zone = 0;
    const size_t visible = std::strlen(piece); // the request stops at a NUL, as the reader does
    for (size_t at = 0; at < std::min(size, visible); at++)
    {
        while (zone + 1 < zones.size() && zones[zone + 1].mOffset <= at)
            zone++;
        if (IsZoneSelected(zones.empty() ? Lexer::ZONE_CODE : zones[zone].mZone, request.mFlags) &&
            request.MatchesAt(std::string_view(piece, visible), at))
            return true;
    }
    return false;
}

} // namespace Vn
