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
#include <typeinfo>

namespace Vn
{

namespace
{

std::unique_ptr<FileParser> CreateParser(ParserKind kind, const char* type, bool modernCpp)
{
    switch (kind)
    {
    case ParserKind::COUNT:
        return std::make_unique<FileParser>(type);
    case ParserKind::TEXT:
        return std::make_unique<FileParser_Text>(type);
    case ParserKind::SCRIPT:
        return std::make_unique<FileParser_Script>(type);
    case ParserKind::CMD:
        return std::make_unique<FileParser_Cmd>(type);
    case ParserKind::CPP:
        return std::make_unique<FileParser_Cpp>(type, modernCpp);
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
const char* FirstLineType(const char* path)
{
    char start[LineReader::MAX_PIECE + 1];
    const size_t size = LineReader::ReadStart(path, start, sizeof start);
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

// Each parser is cloned under a name of the copy's own, so the copy outlives this one.
std::unique_ptr<FileParser_List> FileParser_List::CreateCopy() const
{
    auto copy = std::make_unique<FileParser_List>();
    copy->mByFileName = mByFileName;
    copy->mLanguages = mLanguages;
    if (mLanguageParser != nullptr)
        copy->mLanguageParser =
            std::make_unique<FileParser_Language>(mLanguages, mLanguageParser->GetSkip());
    for (const char* type : mOrder)
    {
        const FileParser& parser = *mParsers.find(type)->second;
        std::unique_ptr<FileParser> clone = parser.Clone(copy->KeepName(parser.mType));
        const FileParser& cloned = *clone;
        if (typeid(cloned) != typeid(parser))
            throw std::logic_error(std::string("the parser of \"") + type +
                                   "\" cannot be copied: its class gives no Clone");
        copy->AddParser(type, std::move(clone));
    }
    return copy;
}

void FileParser_List::AddParser(const char* type, std::unique_ptr<FileParser> parser)
{
    const auto [entry, added] = mParsers.insert_or_assign(type, std::move(parser));
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
        AddParser(registration.mType,
                  CreateParser(registration.mKind, registration.mType, modernCpp));
}

// No type holds a dot, since a type is what follows the last one.
void FileParser_List::AddCountAs(const AnalysisOptions::CountAs& countAs)
{
    const FileParser* model = FindParser(countAs.mType);
    if (model == nullptr)
        throw std::invalid_argument("cannot count \"" + countAs.mExtension + "\" as \"" +
                                    countAs.mType + "\": unknown file type \"" + countAs.mType +
                                    "\"");
    if (countAs.mExtension.find('.') != std::string::npos)
        throw std::invalid_argument("cannot count \"" + countAs.mExtension +
                                    "\" as a type: a type holds no dot");
    const char* name = KeepName(countAs.mExtension);
    AddParser(name, model->Clone(name));
}

const char* FileParser_List::KeepName(std::string_view name)
{
    return mNames.emplace_back(name).c_str();
}

FileParser* FileParser_List::FindParser(std::string_view type) const
{
    const auto found = mParsers.find(type);
    return found != mParsers.end() ? found->second.get() : nullptr;
}

// The type is everything after the last dot of the whole path, folders included.
FileParser* FileParser_List::GetParser(const char* path) const
{
    if (mLanguageParser != nullptr)
        return mLanguageParser.get();
    if (mByFileName)
        return GetParser_ByFileName(path);
    const char* dot = std::strrchr(path, '.');
    return FindParser(dot != nullptr ? dot + 1 : "NoExtension");
}

// The type is the text after the last dot of the file's own name, so that a dotted
// folder (python3.11/os, lib.d/README) does not make one up. A name without a dot gets
// its type from the file's first line, or has the type "NoExtension".
FileParser* FileParser_List::GetParser_ByFileName(const char* path) const
{
    const char* separator = std::strrchr(path, TrovLib::SEPARATOR);
    const char* dot = std::strrchr(separator != nullptr ? separator + 1 : path, '.');
    if (dot != nullptr)
        return FindParser(dot + 1);
    if (const char* type = FirstLineType(path))
    {
        if (FileParser* parser = FindParser(type))
            return parser;
    }
    return FindParser("NoExtension");
}

std::unique_ptr<Data_Node> FileParser_List::Parse(const char* path, const LabelHints& hints) const
{
    if (mLanguageParser != nullptr)
        return mLanguageParser->Parse(path, hints);
    if (FileParser* parser = GetParser(path))
        return parser->Parse(path);
    return FileParser::CreateFileNode(path, Schema::NAME_UNKNOWN);
}

bool FileParser_List::SearchSkippedBinary() const
{
    return mLanguageParser != nullptr && mLanguageParser->SkippedBinary();
}

std::unique_ptr<SearchResult_File> FileParser_List::Search(const char* path,
                                                           const SearchRequest& request,
                                                           const LabelHints& hints) const
{
    if (mLanguageParser != nullptr)
        return mLanguageParser->Search(path, request, hints);
    FileParser* parser = GetParser(path);
    if (parser == nullptr || !request.IsFileTypeSelected(parser->mType))
        return nullptr;
    return parser->Search(path, request);
}

} // namespace Vn
