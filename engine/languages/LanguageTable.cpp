#include "engine/languages/LanguageTable.h"

#include "engine/languages/LanguageReader.h"
#include "engine/languages/LanguageText.h"
#include "lib/Ascii.h"
#include "lib/LineFeeds.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <fnmatch.h>
#include <fstream>
#include <mutex>
#include <sstream>
#include <sys/stat.h>

namespace Vn
{

extern const unsigned char BUILT_IN_LANGUAGES[];
extern const unsigned char BUILT_IN_LABELS[];

namespace
{

// The built-in languages, then the built-in label rules, which a user's file may extend.
void LoadBuiltIn(LanguageTable& table)
{
    table.Load(reinterpret_cast<const char*>(BUILT_IN_LANGUAGES), "built-in languages");
    table.Load(reinterpret_cast<const char*>(BUILT_IN_LABELS), "built-in labels");
}

using Text::Folded;
using Text::Trim;

// Calls `visit` with the text from the first byte that is not a blank of each line of
// `text` on, until it returns true. The line feeds are found a block of bytes at a time.
template <class Visit> void ForEachLineStart(std::string_view text, Visit visit)
{
    const auto visitLine = [&text, &visit](size_t begin)
    {
        while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
            begin++;
        return begin == text.size() || visit(text.substr(begin));
    };
    if (visitLine(0))
        return;
    using TrovLib::LineFeeds::BLOCK;
    for (size_t block = 0; block < text.size(); block += BLOCK)
    {
        uint64_t feeds =
            text.size() - block >= BLOCK
                ? TrovLib::LineFeeds::Mask(text.data() + block)
                : TrovLib::LineFeeds::MaskOfLast(text.data() + block, text.size() - block);
        for (; feeds != 0; feeds &= feeds - 1)
        {
            if (visitLine(block + static_cast<size_t>(std::countr_zero(feeds)) + 1))
                return;
        }
    }
}

// The suffixes of a template of another file, which the file's name holds before them:
// autoconf's and CMake's "config.h.in", Thor's "config.yml.tt", Go's "page.html.tmpl", and
// the copies a user fills in ("phpunit.xml.dist", ".env.example", "hook.sh.sample").
constexpr std::string_view TEMPLATE_SUFFIXES[] = {"in",   "tt",      "tmpl",  "template",
                                                  "dist", "example", "sample"};

// The base name of a path, without folders.
std::string_view BaseName(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == path.npos ? path : path.substr(slash + 1);
}

std::string_view FirstLine(std::string_view head)
{
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    return head.substr(0, head.find('\n'));
}

using ModeLines = std::array<std::string_view, LanguageTable::MODE_LINES>;

// The first lines of the file's head that may hold a mode line; empty ones beyond its end.
ModeLines FirstLines(std::string_view head)
{
    ModeLines lines;
    for (std::string_view& line : lines)
    {
        line = head.substr(0, head.find('\n'));
        head.remove_prefix(std::min(head.size(), line.size() + 1));
    }
    return lines;
}

// The last lines of the file's tail that may hold a mode line. A tail of TAIL_SIZE bytes
// may begin inside a line, which is then left out.
ModeLines LastLines(std::string_view tail)
{
    const bool cut = tail.size() >= LanguageTable::TAIL_SIZE;
    if (tail.ends_with('\n'))
        tail.remove_suffix(1);
    ModeLines lines;
    for (std::string_view& line : lines)
    {
        const size_t feed = tail.rfind('\n');
        if (feed == tail.npos)
        {
            if (!cut)
                line = tail;
            break;
        }
        line = tail.substr(feed + 1);
        tail.remove_suffix(tail.size() - feed);
    }
    return lines;
}

// The interpreter that a "#!" line names, after "env" and its options and assignments.
std::string_view Interpreter(std::string_view line)
{
    line.remove_prefix(2);
    std::vector<std::string_view> words = Text::Split(line);
    size_t at = 0;
    if (at < words.size() && BaseName(words[at]) == "env")
    {
        at++;
        while (at < words.size() &&
               (words[at].starts_with('-') || words[at].find('=') != words[at].npos))
            at++;
    }
    return at < words.size() ? BaseName(words[at]) : std::string_view();
}

// "python3.12" names "python": trailing digits, dots and dashes go.
std::string_view WithoutVersion(std::string_view name)
{
    while (!name.empty() && (std::isdigit(static_cast<unsigned char>(name.back())) ||
                             name.back() == '.' || name.back() == '-'))
        name.remove_suffix(1);
    return name;
}

// The mode an Emacs ("-*- mode: c++ -*-", "-*- c++ -*-") or Vim ("vim: set ft=c:") mode
// line names, or nothing.
std::string_view ModeName(std::string_view line)
{
    const size_t emacs = line.find("-*-");
    if (emacs != line.npos)
    {
        std::string_view inside = line.substr(emacs + 3);
        inside = inside.substr(0, inside.find("-*-"));
        if (inside.find(':') == inside.npos)
            return Trim(inside);
        for (std::string_view setting : Text::Split(inside, ';'))
        {
            const size_t colon = setting.find(':');
            if (colon != setting.npos && Folded(Trim(setting.substr(0, colon))) == "mode")
                return Trim(setting.substr(colon + 1));
        }
        return {};
    }
    for (std::string_view marker : {"vim:", "vi:", "ex:"})
    {
        const size_t vim = line.find(marker);
        if (vim == line.npos)
            continue;
        for (std::string_view setting : Text::Split(line.substr(vim + marker.size()), ' '))
        {
            for (std::string_view key : {"ft=", "filetype=", "syntax="})
            {
                if (setting.starts_with(key))
                    return Trim(setting.substr(key.size(), setting.find(':') - key.size()));
            }
        }
    }
    return {};
}

} // namespace

LanguageTable::LanguageTable() = default;
LanguageTable::~LanguageTable() = default;

std::string LanguageTable::UserFile()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
        return std::string(config) + "/varnik/languages";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.config/varnik/languages";
    return {};
}

std::shared_ptr<const LanguageTable> LanguageTable::BuiltIn()
{
    static const std::shared_ptr<const LanguageTable> table = []
    {
        auto built = std::make_shared<LanguageTable>();
        LoadBuiltIn(*built);
        built->Finish();
        return built;
    }();
    return table;
}

std::shared_ptr<const LanguageTable> LanguageTable::Create(const std::vector<std::string>& files)
{
    const std::string user = UserFile();
    struct stat status;
    const bool hasUser = !user.empty() && stat(user.c_str(), &status) == 0;
    if (files.empty() && !hasUser)
        return BuiltIn();
    auto table = std::make_shared<LanguageTable>();
    LoadBuiltIn(*table);
    if (hasUser)
        table->LoadFile(user);
    for (const std::string& file : files)
        table->LoadFile(file);
    table->Finish();
    return table;
}

void LanguageTable::Load(std::string_view text, const std::string& source)
{
    LanguageReader::Read(text, source, *this);
}

void LanguageTable::LoadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(path + ": cannot read the language file");
    std::ostringstream text;
    text << in.rdbuf();
    Load(text.str(), path);
}

const Language* LanguageTable::FindById(std::string_view id) const
{
    for (const auto& language : mLanguages)
    {
        if (language->mId == id)
            return language.get();
    }
    return nullptr;
}

const Language* LanguageTable::Find(const Index& index, std::string_view key)
{
    const auto found = index.find(key);
    return found != index.end() ? found->second : nullptr;
}

void LanguageTable::Finish()
{
    // The first row to claim a name, an extension or an interpreter keeps it.
    for (auto& language : mLanguages)
    {
        language->Compile();
        const Language* row = language.get();
        for (const std::string& name : row->mFileNames)
            mByFileName.emplace(name, row);
        for (const std::string& name : row->mFileNamesNoCase)
            mByFileNameFolded.emplace(Folded(name), row);
        for (const std::string& glob : row->mFileGlobs)
            mByGlob.push_back({glob, glob.substr(0, glob.find_first_of("*?[")), row});
        for (const std::string& extension : row->mExtensions)
            mByExtension.emplace(Folded(extension), row);
        for (const std::string& extension : row->mExtensionsCase)
            mByExtensionCase.emplace(extension, row);
        for (const std::string& interpreter : row->mInterpreters)
            mByInterpreter.emplace(interpreter, row);
        for (const std::string& mode : row->mModeNames)
            mByModeName.emplace(Folded(mode), row);
        if (!row->mFirstLines.empty())
            mByFirstLine.push_back(row);
    }
    for (auto& [extension, group] : mGroups)
    {
        IndexLineStarts(group);
        for (auto& [id, rule] : group.mRules)
        {
            rule.mLanguage = FindById(id);
            if (rule.mLanguage == nullptr)
                throw Error("group ?" + extension + ": rule for unknown language \"" + id + "\"");
        }
        group.mDefaultLanguage = FindById(group.mDefault);
        if (group.mDefaultLanguage == nullptr)
            throw Error("group ?" + extension + ": unknown default \"" + group.mDefault + "\"");
    }
    for (const Mapping& mapping : mMappings)
    {
        const Language* language = FindById(mapping.mId);
        if (language == nullptr)
            throw Error(mapping.mSource + ": \"" + mapping.mKey +
                        "\" is mapped to unknown language \"" + mapping.mId + "\"");
        mByUserName.insert_or_assign(mapping.mKey, language);
        mByUserExtension.insert_or_assign(Folded(mapping.mKey), language);
    }
}

const Language* LanguageTable::ByName(std::string_view name, Reason* reason) const
{
    const Language* language = Find(mByFileName, name);
    if (language == nullptr)
        language = Find(mByFileNameFolded, Folded(name));
    if (language != nullptr)
    {
        if (reason != nullptr)
            reason->mRule = "file name " + std::string(name);
        return language;
    }
    for (const Glob& glob : mByGlob)
    {
        if (name.starts_with(glob.mPrefix) &&
            fnmatch(glob.mPattern.c_str(), std::string(name).c_str(), 0) == 0)
        {
            if (reason != nullptr)
                reason->mRule = "file name pattern " + glob.mPattern;
            return glob.mLanguage;
        }
    }
    return nullptr;
}

// Each dot of the name starts a candidate suffix, the longest first.
const Language* LanguageTable::ByExtension(std::string_view name, const Head& head,
                                           Reason* reason) const
{
    for (size_t dot = name.find('.', 1); dot != name.npos; dot = name.find('.', dot + 1))
    {
        const std::string_view extension = name.substr(dot + 1);
        const std::string folded = Folded(extension);
        const auto group = mGroups.find(folded);
        if (group != mGroups.end())
            return Settle(group->second, head(), reason);
        const Language* language = Find(mByExtensionCase, extension);
        if (language == nullptr)
            language = Find(mByExtension, folded);
        if (language != nullptr)
        {
            if (reason != nullptr)
                reason->mRule = "extension ." + std::string(extension);
            return language;
        }
    }
    return nullptr;
}

void LanguageTable::IndexLineStarts(Group& group)
{
    for (auto& literals : group.mLineStarts)
        literals.clear();
    for (uint32_t ruleIndex = 0; ruleIndex < group.mRules.size(); ruleIndex++)
    {
        const Rule& rule = group.mRules[ruleIndex].second;
        for (uint32_t literalIndex = 0; rule.mAtLineStart && literalIndex < rule.mLiterals.size();
             literalIndex++)
        {
            // Lines are compared one at a time, so a literal that holds a line feed never
            // matches one.
            const std::string& literal = rule.mLiterals[literalIndex];
            if (literal.find('\n') == std::string::npos)
                group.mLineStarts[static_cast<unsigned char>(literal[0])].emplace_back(
                    ruleIndex, literalIndex);
        }
    }
}

// The first rule, in order, with a literal in the head wins. The head is read once for the
// literals that start a line, and searched only for the others of earlier rules.
const Language* LanguageTable::Settle(const Group& group, std::string_view head,
                                      Reason* reason) const
{
    size_t best = group.mRules.size();
    const std::string* found = nullptr;
    ForEachLineStart(head,
                     [&](std::string_view line)
                     {
                         // Only the literals that begin with the line's first byte, by rule.
                         for (const auto& [ruleIndex, literalIndex] :
                              group.mLineStarts[static_cast<unsigned char>(line[0])])
                         {
                             if (ruleIndex >= best)
                                 break;
                             const std::string& literal =
                                 group.mRules[ruleIndex].second.mLiterals[literalIndex];
                             if (line.starts_with(literal))
                             {
                                 best = ruleIndex;
                                 found = &literal;
                                 break;
                             }
                         }
                         return best == 0;
                     });
    for (size_t i = 0; i < best; i++)
    {
        const Rule& rule = group.mRules[i].second;
        for (const std::string& literal : rule.mLiterals)
        {
            // memmem skips ahead on two bytes at once, where find stops at each first byte.
            if (!rule.mAtLineStart &&
                memmem(head.data(), head.size(), literal.data(), literal.size()) != nullptr)
            {
                best = i;
                found = &literal;
                break;
            }
        }
    }
    if (found != nullptr)
    {
        if (reason != nullptr)
            reason->mRule = "shared extension, first bytes hold \"" + *found + "\"";
        return group.mRules[best].second.mLanguage;
    }
    // The default is a guess, which a NUL byte overrules: the file is binary.
    if (head.find('\0') != std::string_view::npos)
        return nullptr;
    if (reason != nullptr)
        reason->mRule = "shared extension, no rule matched: default";
    return group.mDefaultLanguage;
}

const Language* LanguageTable::ByModeLine(std::span<const std::string_view> lines,
                                          Reason* reason) const
{
    for (std::string_view line : lines)
    {
        const std::string_view mode = ModeName(line);
        if (mode.empty())
            continue;
        const auto found = mByModeName.find(Folded(mode));
        if (found != mByModeName.end())
        {
            if (reason != nullptr)
                reason->mRule = "mode line " + std::string(mode);
            return found->second;
        }
    }
    return nullptr;
}

const Language* LanguageTable::ByContent(std::string_view head, const Tail& tail,
                                         Reason* reason) const
{
    const std::string_view first = FirstLine(head);
    if (first.starts_with("#!"))
    {
        const std::string_view interpreter = Interpreter(first);
        auto found = mByInterpreter.find(interpreter);
        if (found == mByInterpreter.end())
            found = mByInterpreter.find(WithoutVersion(interpreter));
        if (found != mByInterpreter.end())
        {
            if (reason != nullptr)
                reason->mRule = "interpreter " + std::string(interpreter);
            return found->second;
        }
    }
    if (const Language* language = ByModeLine(FirstLines(head), reason))
        return language;
    if (const Language* language = ByModeLine(LastLines(tail()), reason))
        return language;
    for (const Language* language : mByFirstLine)
    {
        for (const std::string& prefix : language->mFirstLines)
        {
            const bool matches = language->mFirstLinesNoCase
                                     ? Folded(first.substr(0, prefix.size())) == Folded(prefix)
                                     : first.starts_with(prefix);
            if (matches)
            {
                if (reason != nullptr)
                    reason->mRule = "first line " + prefix;
                return language;
            }
        }
    }
    return nullptr;
}

const Language* LanguageTable::ByOwnName(std::string_view name, const Head& head,
                                         Reason* reason) const
{
    if (const Language* user = Find(mByUserName, name))
    {
        if (reason != nullptr)
            reason->mRule = "user mapping of the name " + std::string(name);
        return user;
    }
    for (size_t dot = name.find('.', 1); dot != name.npos; dot = name.find('.', dot + 1))
    {
        const std::string_view extension = name.substr(dot + 1);
        if (const Language* user = Find(mByUserExtension, Folded(extension)))
        {
            if (reason != nullptr)
                reason->mRule = "user mapping of the extension " + std::string(extension);
            return user;
        }
    }
    if (const Language* language = ByName(name, reason))
        return language;
    return ByExtension(name, head, reason);
}

// A template of another file takes the language of the name without its template suffix.
const Language* LanguageTable::ByPath(std::string_view name, const Head& head, Reason* reason) const
{
    if (const Language* language = ByOwnName(name, head, reason))
        return language;
    const size_t dot = name.rfind('.');
    if (dot == name.npos || dot == 0 ||
        std::find(std::begin(TEMPLATE_SUFFIXES), std::end(TEMPLATE_SUFFIXES),
                  Folded(name.substr(dot + 1))) == std::end(TEMPLATE_SUFFIXES))
        return nullptr;
    const Language* language = ByOwnName(name.substr(0, dot), head, reason);
    if (language != nullptr && reason != nullptr)
        reason->mRule = "template " + std::string(name.substr(dot)) + ", then " + reason->mRule;
    return language;
}

const Language* LanguageTable::Detect(std::string_view path, const Head& head, const Tail& tail,
                                      bool& binary, Reason* reason) const
{
    binary = false;
    if (const Language* language = ByPath(BaseName(path), head, reason))
        return language;
    const std::string_view first = head();
    if (const Language* language = ByContent(first, tail, reason))
        return language;
    binary = first.find('\0') != first.npos;
    if (reason != nullptr)
        reason->mRule = binary ? "a NUL byte in the first bytes" : "no rule matched";
    return nullptr;
}

const Language* LanguageTable::Detect(std::string_view path, std::string_view text, bool& binary,
                                      Reason* reason) const
{
    const std::string_view tail = text.substr(text.size() - std::min(text.size(), TAIL_SIZE));
    return Detect(
        path, [text] { return text; }, [tail] { return tail; }, binary, reason);
}

std::vector<const Language*> LanguageTable::Select(std::string_view name) const
{
    const std::string folded = Folded(name);
    std::vector<const Language*> selected;
    for (const auto& language : mLanguages)
    {
        bool matches = language->mId == folded || Folded(language->mName) == folded ||
                       Folded(language->mKind) == folded;
        for (const std::string& alias : language->mAliases)
            matches = matches || Folded(alias) == folded;
        for (const std::string& extension : language->mExtensions)
            matches = matches || Folded(extension) == folded;
        if (matches)
            selected.push_back(language.get());
    }
    return selected;
}

std::vector<std::string> LanguageTable::Nearest(std::string_view name) const
{
    std::vector<std::pair<size_t, std::string>> ranked;
    const std::string folded = Folded(name);
    for (const auto& language : mLanguages)
        ranked.emplace_back(Text::EditDistance(folded, language->mId), language->mId);
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::string> nearest;
    for (size_t i = 0; i < ranked.size() && nearest.size() < 3 && ranked[i].first <= 3; i++)
        nearest.push_back(ranked[i].second);
    return nearest;
}

} // namespace Vn
