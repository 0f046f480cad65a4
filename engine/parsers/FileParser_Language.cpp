#include "engine/parsers/FileParser_Language.h"

#include "engine/search/LineMatches.h"
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

// Adds the long-line label once the file's lines are read.
void AddLongLineLabel(const ReadingContext::LongLines& watch, LabelFinding& labels)
{
    if (watch.mLimit != 0 && watch.mLongest > watch.mLimit)
        labels.AddLongLine(watch.mLabel, watch.mLimit);
}

void MeasurePiece(ReadingContext::LongLines& watch, size_t size, bool endsLine)
{
    watch.mLength += size;
    if (endsLine)
    {
        watch.mLongest = std::max(watch.mLongest, watch.mLength);
        watch.mLength = 0;
    }
}

} // namespace

FileParser_Language::FileParser_Language(std::shared_ptr<const LanguageTable> table, LabelSet skip)
    : mTable(std::move(table)), mSkip(skip)
{
}

bool FileParser_Language::CanSearch() const
{
    return true;
}

const Language* FileParser_Language::OpenAndDetect(const char* fileName, const TextFinder* finder,
                                                   bool& binary, ReadingContext& context) const
{
    binary = false;
    context.mLongLines.mLength = 0;
    context.mLongLines.mLongest = 0;
    LineReader& reader = context.mReader;
    context.mOpened = reader.Open(fileName, finder, MAX_PIECE);
    return mTable->Detect(
        fileName, [&reader] { return reader.Head(LanguageTable::HEAD_SIZE); },
        [&reader] { return reader.Tail(LanguageTable::TAIL_SIZE); }, binary);
}

LabelFinding FileParser_Language::FindLabels(const char* fileName, const LabelHints& hints,
                                             ReadingContext& context) const
{
    LabelFinding labels(hints);
    const FileLabels& rules = mTable->GetLabels();
    const char* separator = std::strrchr(fileName, '/');
    const std::string_view name = separator != nullptr ? separator + 1 : fileName;
    rules.ByName(name, labels);
    rules.ByHead(context.mReader.Head(FileLabels::MARKER_BYTES), labels);
    ReadingContext::LongLines& watch = context.mLongLines;
    watch.mLimit = rules.LongLineLimit(name, watch.mLabel);
    return labels;
}

bool FileParser_Language::SkipsLongLines(const ReadingContext& context) const
{
    const ReadingContext::LongLines& watch = context.mLongLines;
    return watch.mLimit != 0 && (mSkip & Bit(watch.mLabel)) != 0;
}

std::unique_ptr<Data_Node> FileParser_Language::Parse(const char* fileName, const char* /*type*/,
                                                      ReadingContext& context) const
{
    return Parse(fileName, LabelHints(), context);
}

// A file that its hints, name or first bytes skip is read no further; one that a long line
// skips is read, then dropped.
std::unique_ptr<Data_Node> FileParser_Language::Parse(const char* fileName, const LabelHints& hints,
                                                      ReadingContext& context) const
{
    bool binary = false;
    const Language* language = OpenAndDetect(fileName, nullptr, binary, context);
    LabelFinding labels = FindLabels(fileName, hints, context);
    std::unique_ptr<Data_Node> node;
    if ((labels.mSet & mSkip) == 0)
    {
        node = Count(fileName, language, binary, context);
        AddLongLineLabel(context.mLongLines, labels);
    }
    context.mReader.Close();
    if ((labels.mSet & mSkip) != 0)
    {
        node = std::make_unique<Data_Node>(fileName);
        node->mSkipped = true;
    }
    node->mLabel = labels.mFirst;
    return node;
}

std::unique_ptr<Data_Node> FileParser_Language::Count(const char* fileName,
                                                      const Language* language, bool binary,
                                                      ReadingContext& context) const
{
    const char* type = language != nullptr ? language->mName.c_str()
                       : binary            ? "Binary"
                                           : Schema::NAME_UNKNOWN;
    std::unique_ptr<Data_Node> node = CreateFileNode(fileName, type);
    LineReader& reader = context.mReader;
    if (language == nullptr)
    {
        // Detection may have read the first bytes, and failed to.
        if (reader.ReadError() != 0)
            node->mCounts.CountError();
        reader.Close();
        return node;
    }
    if (!context.mOpened)
    {
        node->mCounts.CountError();
        return node;
    }
    context.mCounters.Start(*node, language->mHasDirectives);
    context.mLexer.Begin(*language, false);
    bool unclosed = false;
    CountLines(context, unclosed);
    // A read error leaves the lines of part of the file: they are dropped, and the file
    // counts as one that could not be read.
    if (reader.ReadError() != 0)
    {
        node = CreateFileNode(fileName, type);
        node->mCounts.CountError();
        return node;
    }
    if (unclosed)
        node->mCounts.CountError();
    node->mCounts.EndReading();
    return node;
}

void FileParser_Language::CountLines(ReadingContext& context, bool& unclosed)
{
    LineReader& reader = context.mReader;
    LanguageLexer& lexer = context.mLexer;
    while (const char* piece = reader.Next())
    {
        const bool endsLine = reader.PieceEndsLine();
        lexer.Feed(piece, piece + reader.PieceSize(), endsLine);
        if (context.mCounters.HasDirectives())
        {
            for (std::string_view name : lexer.GetNames())
                context.mCounters.CountName(name);
        }
        MeasurePiece(context.mLongLines, reader.PieceSize(), endsLine);
        if (endsLine)
            CountLine(context);
    }
    reader.Close();
    unclosed = lexer.End();
}

void FileParser_Language::CountLine(ReadingContext& context)
{
    FileCounters& counters = context.mCounters;
    const LanguageLexer& lexer = context.mLexer;
    counters.CountLine();
    switch (lexer.GetClass())
    {
    case LanguageLexer::LineClass::BLANK:
        counters.CountBlank();
        break;
    case LanguageLexer::LineClass::CODE:
        counters.CountCode();
        break;
    case LanguageLexer::LineClass::COMMENT:
        counters.CountComment();
        break;
    }
    if (counters.HasDirectives() && lexer.StartsDirective())
        counters.CountDirective();
    if (counters.HasDirectives() && lexer.StartsCondition())
        counters.CountCondition();
}

std::unique_ptr<SearchResult_File> FileParser_Language::Search(const char* fileName,
                                                               const SearchRequest& request,
                                                               ReadingContext& context) const
{
    return Search(fileName, request, LabelHints(), context);
}

// A file that matched is read to its end when a long line could still skip it.
std::unique_ptr<SearchResult_File> FileParser_Language::Search(const char* fileName,
                                                               const SearchRequest& request,
                                                               const LabelHints& hints,
                                                               ReadingContext& context) const
{
    context.mSkippedBinary = false;
    if (!request.mFlags.InContent)
        return nullptr;
    const TextFinder finder(request);
    bool binary = false;
    const Language* language = OpenAndDetect(fileName, &finder, binary, context);
    LabelFinding labels = FindLabels(fileName, hints, context);
    const bool skipped = (labels.mSet & mSkip) != 0;
    context.mSkippedBinary = binary && !skipped;
    const bool selected = language != nullptr ? request.IsFileTypeSelected(language->mName.c_str())
                                              : !binary && request.mFileTypes.empty();
    auto result = std::make_unique<SearchResult_File>(fileName);
    if (selected && !skipped)
        SearchLines(language, request, *result, context);
    LineReader& reader = context.mReader;
    if (result->GetCount() != 0 && SkipsLongLines(context))
    {
        while (reader.Next() != nullptr)
            MeasurePiece(context.mLongLines, reader.PieceSize(), reader.PieceEndsLine());
        AddLongLineLabel(context.mLongLines, labels);
    }
    reader.Close();
    return result->GetCount() == 0 || (labels.mSet & mSkip) != 0 ? nullptr : std::move(result);
}

// A text of no known language is all code. Once the text occurs no more ahead, the rest
// of the file cannot match; once enough lines matched, it does not count.
void FileParser_Language::SearchLines(const Language* language, const SearchRequest& request,
                                      SearchResult_File& result, ReadingContext& context)
{
    static const Language PLAIN_TEXT;
    LineReader& reader = context.mReader;
    LanguageLexer& lexer = context.mLexer;
    lexer.Begin(language != nullptr ? *language : PLAIN_TEXT, true);
    uint64_t line = 1;
    while (const char* piece = reader.Next())
    {
        if (!reader.TextAhead() || result.GetCount() >= request.mMaxLines)
            break;
        const bool endsLine = reader.PieceEndsLine();
        lexer.Feed(piece, piece + reader.PieceSize(), endsLine);
        MeasurePiece(context.mLongLines, reader.PieceSize(), endsLine);
        if (reader.PieceHoldsText())
            AddMatchesInZones(piece, reader.PieceSize(), line, request, lexer, result);
        line += endsLine ? 1 : 0;
    }
}

// Adds the piece, with its matches, when the text stands at a place of it whose zone the
// request selects.
void FileParser_Language::AddMatchesInZones(const char* piece, size_t size, uint64_t line,
                                            const SearchRequest& request,
                                            const LanguageLexer& lexer, SearchResult_File& result)
{
    // The finder points at many pieces where an expression does not match: one look at the
    // whole piece spares a look at each place of a piece that cannot match.
    if (request.mFlags.Regex && !request.Find(piece))
        return;
    const auto& zones = lexer.GetZones();
    size_t zone = 0;
    const size_t visible = std::strlen(piece); // the request stops at a NUL, as the reader does
    LineMatches matches(request, std::string_view(piece, visible), line, result);
    for (size_t at = 0; at < std::min(size, visible) && !matches.Done(); at++)
    {
        while (zone + 1 < zones.size() && zones[zone + 1].mOffset <= at)
            zone++;
        if (IsZoneSelected(zones.empty() ? Lexer::ZONE_CODE : zones[zone].mZone, request.mFlags))
            matches.TryAt(at);
    }
}

} // namespace Vn
