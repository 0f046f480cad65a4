#include "engine/parsers/FileParser_List.h"

#include "engine/parsers/FileParser_Cmd.h"
#include "engine/parsers/FileParser_Cpp.h"
#include "engine/parsers/FileParser_Language.h"
#include "engine/parsers/FileParser_Script.h"
#include "engine/parsers/LineReader.h"
#include "engine/tree/CounterSchema.h"
#include "lib/Ascii.h"
#include "lib/Path.h"

#include <cstring>
#include <stdexcept>

namespace Vn
{

namespace
{

std::unique_ptr<FileParser> CreateParser(ParserKind kind, bool modernCpp)
{
    switch (kind)
    {
    case ParserKind::COUNT:
        return std::make_unique<FileParser>();
    case ParserKind::TEXT:
        return std::make_unique<FileParser_Text>();
    case ParserKind::SCRIPT:
        return std::make_unique<FileParser_Script>();
    case ParserKind::CMD:
        return std::make_unique<FileParser_Cmd>();
    case ParserKind::CPP:
        return std::make_unique<FileParser_Cpp>(modernCpp);
    }
    throw std::invalid_argument("unknown parser kind");
}

// The labels whose files the options leave out.
LabelSet SkippedLabels(const AnalysisOptions& options)
{
    return static_cast<LabelSet>((options.mSkipGenerated ? Bit(Label::GENERATED) : 0) |
                                 (options.mSkipVendored ? Bit(Label::VENDORED) : 0) |
                                 (options.mSkipMinified ? Bit(Label::MINIFIED) : 0) |
                                 (options.mSkipLock ? Bit(Label::LOCK) : 0));
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && TrovLib::Ascii::IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && TrovLib::Ascii::IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualFolded(std::string_view text, std::string_view word)
{
    return text.size() == word.size() &&
           TrovLib::Ascii::EqualFolded(text.data(), word.data(), word.size());
}

// Whether the line holds an editor's mode line that names C++, in any case: either
// "-*- C++ -*-" or "-*- mode: c++; more: settings -*-".
bool NamesCppMode(std::string_view line)
{
    constexpr std::string_view MARK = "-*-";
    const size_t open = line.find(MARK);
    const size_t close = open == line.npos ? open : line.find(MARK, open + MARK.size());
    if (close == line.npos)
        return false;
    std::string_view inside = line.substr(open + MARK.size(), close - open - MARK.size());
    if (inside.find(':') == inside.npos)
        return EqualFolded(Trim(inside), "c++");
    while (!inside.empty())
    {
        const std::string_view setting = inside.substr(0, inside.find(';'));
        const size_t colon = setting.find(':');
        if (colon != setting.npos && EqualFolded(Trim(setting.substr(0, colon)), "mode") &&
            EqualFolded(Trim(setting.substr(colon + 1)), "c++"))
            return true;
        inside.remove_prefix(std::min(inside.size(), setting.size() + 1));
    }
    return false;
}

// The type that the first line of a file without an extension gives it, or null.
const char* FirstLineType(const char* path, LineReader& reader)
{
    char start[LineReader::MAX_PIECE + 1];
    const size_t size = reader.ReadStart(path, start, sizeof start);
    std::string_view line(start, size);
    line = line.substr(0, line.find('\n'));
    if (line.starts_with("#!"))
        return TYPE_FIRSTLINE_SCRIPT;
    if (NamesCppMode(line))
        return TYPE_FIRSTLINE_CPP;
    return nullptr;
}

} // namespace

FileParser_List::FileParser_List() = default;

FileParser_List::~FileParser_List() = default;

void FileParser_List::CreateParsers(const AnalysisOptions& options)
{
    if (options.mLanguages)
    {
        mLanguages = LanguageTable::Create(options.mLanguageFiles);
        mLanguageParser = std::make_unique<FileParser_Language>(mLanguages, SkippedLabels(options));
        return;
    }
    AddParsers(CLASSIC_TYPES, options.mModernCpp);
    if (options.mCommonTypes)
    {
        AddParsers(COMMON_TYPES, options.mModernCpp);
        AddParsers(FIRSTLINE_TYPES, options.mModernCpp);
        mByFileName = true;
    }
    for (const AnalysisOptions::CountAs& countAs : options.mCountAs)
        AddCountAs(countAs);
}

std::unique_ptr<FileParser_List> FileParser_List::CreateFilled(const AnalysisOptions& options)
{
    auto parsers = std::make_unique<FileParser_List>();
    parsers->CreateParsers(options);
    return parsers;
}

void FileParser_List::AddParser(const char* type, std::unique_ptr<FileParser> parser)
{
    AddType(type, *mOwned.emplace_back(std::move(parser)));
}

void FileParser_List::AddType(const char* type, const FileParser& parser)
{
    const auto [entry, added] = mParsers.insert_or_assign(type, &parser);
    if (added)
        mOrder.push_back(entry->first.c_str());
}

std::vector<const char*> FileParser_List::GetSearchTypes() const
{
    std::vector<const char*> types;
    if (mLanguages != nullptr)
    {
        for (const auto& language : mLanguages->GetLanguages())
            types.push_back(language->mName.c_str());
        return types;
    }
    for (const char* type : mOrder)
    {
        if (mParsers.find(type)->second->CanSearch())
            types.push_back(type);
    }
    return types;
}

void FileParser_List::AddParsers(std::span<const Registration> table, bool modernCpp)
{
    for (const Registration& registration : table)
        AddType(registration.mType, ParserOfKind(registration.mKind, modernCpp));
}

const FileParser& FileParser_List::ParserOfKind(ParserKind kind, bool modernCpp)
{
    const FileParser*& parser = mKinds[static_cast<size_t>(kind)];
    if (parser == nullptr)
        parser = mOwned.emplace_back(CreateParser(kind, modernCpp)).get();
    return *parser;
}

// No type holds a dot, since a type is what follows the last one.
void FileParser_List::AddCountAs(const AnalysisOptions::CountAs& countAs)
{
    const FileParser* model = Find(std::string_view(countAs.mType)).mParser;
    if (model == nullptr)
        throw std::invalid_argument("cannot count \"" + countAs.mExtension + "\" as \"" +
                                    countAs.mType + "\": unknown file type \"" + countAs.mType +
                                    "\"");
    if (countAs.mExtension.find('.') != std::string::npos)
        throw std::invalid_argument("cannot count \"" + countAs.mExtension +
                                    "\" as a type: a type holds no dot");
    AddType(KeepName(countAs.mExtension), *model);
}

const char* FileParser_List::KeepName(std::string_view name)
{
    return mNames.emplace_back(name).c_str();
}

FileParser_List::Entry FileParser_List::Find(std::string_view type) const
{
    const auto found = mParsers.find(type);
    if (found == mParsers.end())
        return {};
    return {found->first.c_str(), found->second};
}

const FileParser* FileParser_List::GetParser(const char* path) const
{
    if (mLanguageParser != nullptr)
        return mLanguageParser.get();
    LineReader reader;
    return Find(path, reader).mParser;
}

// The type is everything after the last dot of the whole path, folders included.
FileParser_List::Entry FileParser_List::Find(const char* path, LineReader& reader) const
{
    if (mByFileName)
        return Find_ByFileName(path, reader);
    const char* dot = std::strrchr(path, '.');
    return Find(dot != nullptr ? dot + 1 : "NoExtension");
}

// The type is the text after the last dot of the file's own name, so that a dotted
// folder (python3.11/os, lib.d/README) does not make one up. A name without a dot gets
// its type from the file's first line, or has the type "NoExtension".
FileParser_List::Entry FileParser_List::Find_ByFileName(const char* path, LineReader& reader) const
{
    const char* dot = std::strrchr(TrovLib::LastComponent(path), '.');
    if (dot != nullptr)
        return Find(dot + 1);
    if (const char* type = FirstLineType(path, reader))
    {
        if (const Entry entry = Find(type); entry.mParser != nullptr)
            return entry;
    }
    return Find("NoExtension");
}

std::unique_ptr<Data_Node> FileParser_List::Parse(const char* path, ReadingContext& context,
                                                  const LabelHints& hints) const
{
    if (mLanguageParser != nullptr)
        return mLanguageParser->Parse(path, hints, context);
    if (const Entry entry = Find(path, context.mReader); entry.mParser != nullptr)
        return entry.mParser->Parse(path, entry.mType, context);
    return FileParser::CreateFileNode(path, Schema::NAME_UNKNOWN);
}

std::unique_ptr<SearchResult_File> FileParser_List::Search(const char* path,
                                                           const SearchRequest& request,
                                                           ReadingContext& context,
                                                           const LabelHints& hints) const
{
    context.mSkippedBinary = false;
    std::unique_ptr<SearchResult_File> result;
    if (mLanguageParser != nullptr)
        result = mLanguageParser->Search(path, request, hints, context);
    else if (const Entry entry = Find(path, context.mReader);
             entry.mParser != nullptr && request.IsFileTypeSelected(entry.mType))
        result = entry.mParser->Search(path, request, context);
    if (result)
        result->Pack();
    return result;
}

} // namespace Vn
