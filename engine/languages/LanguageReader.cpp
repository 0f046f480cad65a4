#include "engine/languages/LanguageReader.h"

#include "engine/languages/LanguageTable.h"
#include "engine/languages/LanguageText.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace Vn
{

namespace
{

using Form = Language_Form;

constexpr std::string_view LABEL = "label:";
constexpr std::string_view KINDS[] = {"programming", "markup", "data", "prose", "config", "build"};

struct Line
{
    std::string_view mKey;
    std::vector<std::string_view> mTokens;
    std::string_view mRest; // the text after "=", for the keys that take it whole
};

} // namespace

// Reads one file; `mWhere` names the line being read in errors.
class LanguageReader::Records
{
public:
    Records(const std::string& source, LanguageTable& table) : mSource(source), mTable(table) {}

    void ReadLine(std::string_view text, size_t number)
    {
        mWhere = mSource + ":" + std::to_string(number);
        text = Text::Trim(text);
        if (text.empty() || text.front() == ';')
            return;
        if (text.front() == '[')
            return Open(text);
        const size_t equals = text.find('=');
        if (equals == text.npos)
            Fail("expected \"key = value\"");
        Line line{Text::Trim(text.substr(0, equals)), Text::Split(text.substr(equals + 1)),
                  Text::Trim(text.substr(equals + 1))};
        if (mLanguage != nullptr)
            ReadKey(line);
        else if (mLabel != nullptr)
            ReadLabelKey(line);
        else if (mGroup != nullptr)
            ReadGroupKey(line);
        else
            ReadMapping(line);
    }

    void Close()
    {
        if (mLanguage != nullptr && mLanguage->mName.empty())
            Fail("[" + mLanguage->mId + "] has no name");
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const
    {
        throw LanguageTable::Error(mWhere + ": " + reason);
    }

    void Open(std::string_view text)
    {
        Close();
        if (text.back() != ']' || text.size() < 3)
            Fail("a record starts with [id]");
        const std::string_view id = text.substr(1, text.size() - 2);
        mLanguage = nullptr;
        mGroup = nullptr;
        mLabel = nullptr;
        if (id.starts_with(LABEL))
            return OpenLabel(id.substr(LABEL.size()));
        if (id.front() == '?')
        {
            mGroup = &mTable.mGroups[Text::Folded(id.substr(1))];
            *mGroup = {};
            return;
        }
        if (!std::all_of(id.begin(), id.end(),
                         [](char c)
                         {
                             return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
                                    c == '_' || c == '.' || c == '-';
                         }))
            Fail("an id is made of a-z, 0-9 and + _ . -");
        auto language = std::make_unique<Language>();
        language->mId = id;
        mLanguage = language.get();
        if (!mIds.insert(std::string(id)).second)
            Fail("[" + std::string(id) + "] is already defined in this file");
        const auto old = std::find_if(mTable.mLanguages.begin(), mTable.mLanguages.end(),
                                      [&](const auto& row) { return row->mId == id; });
        if (old != mTable.mLanguages.end())
            *old = std::move(language);
        else
            mTable.mLanguages.push_back(std::move(language));
    }

    // A label record adds to the rules of its label, which every file may extend.
    void OpenLabel(std::string_view id)
    {
        const Label label = FileLabels::FromId(id);
        if (label == Label::NONE)
            Fail("unknown label \"" + std::string(id) +
                 "\" (known: generated, vendored, minified, lock, documentation)");
        mLabel = &mTable.mLabels.Edit(label);
    }

    void ReadLabelKey(const Line& line)
    {
        static constexpr std::pair<std::string_view, std::vector<std::string> FileLabels::Rules::*>
            LISTS[] = {
                {"folder", &FileLabels::Rules::mFolders},
                {"file", &FileLabels::Rules::mFileNames},
                {"file.glob", &FileLabels::Rules::mGlobs},
                {"marker", &FileLabels::Rules::mMarkers},
            };
        if (line.mKey == "longline")
        {
            if (line.mTokens.size() != 2 || !line.mTokens[1].starts_with("ext="))
                Fail("a long line is \"longline = BYTES ext=EXT,EXT\"");
            mLabel->mLongLine = Number(line.mTokens[0]);
            mLabel->mLongLineExtensions = Strings(Text::Split(line.mTokens[1].substr(4), ','));
            return;
        }
        const auto found =
            std::find_if(std::begin(LISTS), std::end(LISTS),
                         [&](const auto& entry) { return entry.first == line.mKey; });
        if (found == std::end(LISTS))
            Fail("unknown key \"" + std::string(line.mKey) + "\" in a label");
        for (std::string& token : Strings(line.mTokens))
            ((*mLabel).*found->second).push_back(std::move(token));
    }

    void ReadMapping(const Line& line)
    {
        if (line.mTokens.size() != 1)
            Fail("a mapping is \"NAME = id\"");
        mTable.mMappings.push_back({std::string(line.mKey), std::string(line.mTokens[0]), mWhere});
    }

    void ReadGroupKey(const Line& line)
    {
        if (line.mKey == "candidates")
            mGroup->mCandidates = Strings(line.mTokens);
        else if (line.mKey == "default")
            mGroup->mDefault = One(line);
        else if (line.mKey == "rule")
        {
            if (line.mTokens.size() < 3 ||
                (line.mTokens[1] != "at=line-start" && line.mTokens[1] != "anywhere"))
                Fail("a rule is \"rule = id at=line-start|anywhere literals...\"");
            LanguageTable::Rule rule{nullptr, line.mTokens[1] == "at=line-start", {}};
            for (size_t i = 2; i < line.mTokens.size(); i++)
                rule.mLiterals.push_back(Token(line.mTokens[i]));
            mGroup->mRules.emplace_back(std::string(line.mTokens[0]), std::move(rule));
        }
        else
            Fail("unknown key \"" + std::string(line.mKey) + "\" in a group");
    }

    void ReadKey(const Line& line)
    {
        Language& row = *mLanguage;
        const std::string_view key = line.mKey;
        if (key == "name")
            row.mName = line.mRest;
        else if (key == "cite")
            row.mCite = line.mRest;
        else if (key == "kind")
        {
            row.mKind = One(line);
            if (std::find(std::begin(KINDS), std::end(KINDS), row.mKind) == std::end(KINDS))
                Fail("unknown kind \"" + row.mKind + "\"");
        }
        else if (key == "sample")
            row.mSample = One(line);
        else if (key == "status")
        {
            const std::string status = One(line);
            if (status != "verified" && status != "unverified")
                Fail("a status is verified or unverified");
            row.mStatus =
                status == "verified" ? Language::Status::VERIFIED : Language::Status::UNVERIFIED;
        }
        else if (!ReadList(row, key, line.mTokens) && !ReadForm(row, key, line.mTokens))
            Fail("unknown key \"" + std::string(key) + "\"");
    }

    // The keys that list names; "file" and "firstline" may end with "nocase".
    bool ReadList(Language& row, std::string_view key, const std::vector<std::string_view>& tokens)
    {
        static constexpr std::pair<std::string_view, std::vector<std::string> Language::*> LISTS[] =
            {
                {"aliases", &Language::mAliases},         {"ext", &Language::mExtensions},
                {"ext.case", &Language::mExtensionsCase}, {"file", &Language::mFileNames},
                {"file.glob", &Language::mFileGlobs},     {"shebang", &Language::mInterpreters},
                {"modeline", &Language::mModeNames},      {"firstline", &Language::mFirstLines},
                {"shared", &Language::mShared},
            };
        const auto found = std::find_if(std::begin(LISTS), std::end(LISTS),
                                        [&](const auto& entry) { return entry.first == key; });
        if (found == std::end(LISTS))
            return false;
        const bool noCase = !tokens.empty() && tokens.back() == "nocase";
        std::vector<std::string>* list = &(row.*found->second);
        if (key == "file" && noCase)
            list = &row.mFileNamesNoCase;
        if (key == "firstline")
            row.mFirstLinesNoCase = noCase;
        for (size_t i = 0; i + (noCase ? 1 : 0) < tokens.size(); i++)
            list->push_back(Token(tokens[i]));
        return true;
    }

    bool ReadForm(Language& row, std::string_view key, const std::vector<std::string_view>& tokens)
    {
        static constexpr std::pair<std::string_view, std::pair<Form::Kind, size_t>> KEYS[] = {
            {"line", {Form::Kind::LINE, 1}},     {"block", {Form::Kind::BLOCK, 2}},
            {"string", {Form::Kind::STRING, 2}}, {"char", {Form::Kind::STRING, 2}},
            {"raw", {Form::Kind::RAW, 2}},       {"heredoc", {Form::Kind::HEREDOC, 1}},
            {"doc", {Form::Kind::DOC, 2}},       {"directive", {Form::Kind::DIRECTIVE, 1}},
            {"escape", {Form::Kind::ESCAPE, 1}}, {"quote", {Form::Kind::QUOTE, 1}},
            {"end", {Form::Kind::END, 1}},
        };
        if (key == "cont" || key == "embed")
            return true; // continuation is stated per rule; embedding is not read yet
        if (key == "string" && tokens.size() == 1 && tokens[0] == "none")
        {
            row.mNoStrings = true;
            return true;
        }
        const auto found = std::find_if(std::begin(KEYS), std::end(KEYS),
                                        [&](const auto& entry) { return entry.first == key; });
        if (found == std::end(KEYS))
            return false;
        const auto [kind, positional] = found->second;
        if (tokens.size() < positional)
            Fail("\"" + std::string(key) + "\" takes " + std::to_string(positional) + " token(s)");
        Form form;
        form.mKind = kind;
        form.mMultiLine = kind == Form::Kind::RAW || kind == Form::Kind::DOC ||
                          kind == Form::Kind::BLOCK || kind == Form::Kind::QUOTE;
        SetTokens(form, tokens[0], positional == 2 ? tokens[1] : std::string_view());
        for (size_t i = positional; i < tokens.size(); i++)
            ReadAttribute(form, tokens[i]);
        if (form.mCaptures && form.mKind == Form::Kind::STRING)
            form.mKind = Form::Kind::RAW;
        if (form.mBare && form.mOpen.size() != 1)
            Fail("a bare quote opens with its delimiter, one byte");
        if ((key == "string" || key == "char" || key == "quote") && form.mEscapes.none() &&
            !form.mEscapeDouble && !mEscapeStated)
            Fail("\"" + std::string(key) + "\" must state esc=");
        mEscapeStated = false;
        row.mForms.push_back(std::move(form));
        return true;
    }

    // Splits a template at its "{d}" capture.
    void SetTokens(Form& form, std::string_view open, std::string_view close)
    {
        const auto split = [&](std::string_view token, std::string& head, std::string& tail)
        {
            const std::string bytes = Token(token);
            const size_t capture = bytes.find("{d}");
            head = bytes.substr(0, capture);
            if (capture != bytes.npos)
            {
                tail = bytes.substr(capture + 3);
                form.mCaptures = true;
            }
        };
        split(open, form.mOpen, form.mOpenTail);
        split(close, form.mClose, form.mCloseTail);
        if (form.mOpen.empty())
            Fail("an empty open token");
    }

    void ReadAttribute(Form& form, std::string_view attribute)
    {
        const size_t equals = attribute.find('=');
        const std::string_view name = attribute.substr(0, equals);
        const std::string_view value =
            equals == attribute.npos ? std::string_view() : attribute.substr(equals + 1);
        if (name == "at")
            form.mPlace = Place(value);
        else if (name == "close-at")
            form.mClosePlace = ClosePlace(value);
        else if (name == "esc")
            Escape(form, value);
        else if (name == "span")
        {
            if (value != "line" && value != "multi")
                Fail("span is line or multi");
            form.mMultiLine = value == "multi";
        }
        else if (name == "as")
            form.mDocIsComment = value != "code";
        else if (name == "not-after" && value == "number")
            form.mNotAfterNumber = true;
        else if (name == "not-after")
            form.mNotAfter = Set(value);
        else if (name == "not-before")
            form.mNotBefore = Set(value);
        else if (name == "quotes")
            form.mQuotes = Set(value);
        else if (name == "after")
            SetAfter(form, value);
        else if (name == "prefix")
            form.mPrefixes = Strings(Text::Split(value, ','));
        else if (name == "words")
            form.mWords = Strings(Text::Split(value, ','));
        else if (name == "cond")
            form.mConditions = Strings(Text::Split(value, ','));
        else if (name == "d")
            Capture(form, value);
        else if (name == "d.max")
            form.mCaptureMax = Number(value);
        else if (name == "cont")
            form.mContinues = true;
        else if (name == "parts")
        {
            if (value != "1" && value != "2")
                Fail("parts is 1 or 2");
            form.mParts = value == "2" ? 2 : 1;
        }
        else if (name == "pairs")
            form.mPairs = Pairs(value);
        else if (name == "follows")
            form.mFollows = Strings(Text::Split(value, ','));
        else if (!Flag(form, name))
            Fail("unknown attribute \"" + std::string(attribute) + "\"");
    }

    bool Flag(Form& form, std::string_view name)
    {
        static constexpr std::pair<std::string_view, bool Form::*> FLAGS[] = {
            {"word", &Form::mWord},      {"boundary", &Form::mBoundary}, {"nocase", &Form::mNoCase},
            {"nest", &Form::mNests},     {"one", &Form::mOne},           {"dash", &Form::mDash},
            {"tilde", &Form::mTilde},    {"touch", &Form::mTouch},       {"indent", &Form::mIndent},
            {"eof", &Form::mMayEndFile}, {"anyword", &Form::mAnyWord},   {"blanks", &Form::mBlanks},
            {"bare", &Form::mBare},
        };
        if (name == "nocase-prefix")
            return true; // prefixes are compared as written, in either case
        for (const auto& [flag, member] : FLAGS)
        {
            if (flag == name)
            {
                form.*member = true;
                return true;
            }
        }
        return false;
    }

    Form::Place Place(std::string_view value)
    {
        static constexpr std::pair<std::string_view, Form::Place> PLACES[] = {
            {"line-start", Form::Place::LINE_START},
            {"column-1", Form::Place::COLUMN_1},
            {"file-start", Form::Place::FILE_START},
            {"statement-start", Form::Place::STATEMENT_START},
            {"command-start", Form::Place::LINE_START},
        };
        for (const auto& [name, place] : PLACES)
        {
            if (name == value)
                return place;
        }
        Fail("unknown place \"" + std::string(value) + "\"");
    }

    // A close may be bound to the start of its line, with or without blanks before it.
    Form::Place ClosePlace(std::string_view value)
    {
        const Form::Place place = Place(value);
        if (place != Form::Place::LINE_START && place != Form::Place::COLUMN_1)
            Fail("close-at is line-start or column-1");
        return place;
    }

    void Escape(Form& form, std::string_view value)
    {
        mEscapeStated = true;
        if (value == "double")
            form.mEscapeDouble = true;
        else if (value != "none")
        {
            const std::string bytes = Token(value);
            if (bytes.size() != 1)
                Fail("an escape is one byte, double or none");
            form.mEscapes.set(static_cast<unsigned char>(bytes[0]));
        }
    }

    // Bracket pairs, each open then its close; no byte may stand in two.
    std::string Pairs(std::string_view value)
    {
        std::string pairs = Token(value);
        std::bitset<256> seen;
        for (char c : pairs)
        {
            if (seen[static_cast<unsigned char>(c)])
                Fail("a byte stands twice in pairs=\"" + pairs + "\"");
            seen.set(static_cast<unsigned char>(c));
        }
        if (pairs.empty() || pairs.size() % 2 != 0)
            Fail("pairs= lists an open and a close for each pair");
        return pairs;
    }

    void SetAfter(Form& form, std::string_view value)
    {
        if (value == "blank" && form.mKind != Form::Kind::HEREDOC)
            form.mAfterBlank = true;
        else
            form.mAfterWord = Set(value);
    }

    void Capture(Form& form, std::string_view value)
    {
        if (value.starts_with("repeat:") && value.size() > 7)
        {
            form.mCaptureRepeat = true;
            form.mCaptureSet = Set(value.substr(7));
        }
        else if (value.starts_with("chars:"))
            form.mCaptureSet = Set(value.substr(6));
        else
            Fail("a capture is d=repeat:C or d=chars:SET");
    }

    // A set of bytes, "^" negating it; a leading "alnum" (word bytes) or "blank" (space, tab)
    // adds its class to the bytes after it: "alnum)]" is a word byte or a closing bracket.
    std::bitset<256> Set(std::string_view value)
    {
        std::bitset<256> set;
        const bool negated = value.starts_with('^') && value.size() > 1;
        if (negated)
            value.remove_prefix(1);
        if (value.starts_with("alnum"))
        {
            for (int c = 0; c < 256; c++)
                set[c] = Text::IsWordByte(static_cast<char>(c));
            value.remove_prefix(5);
        }
        else if (value.starts_with("blank"))
        {
            for (char c : {' ', '\t'})
                set.set(static_cast<unsigned char>(c));
            value.remove_prefix(5);
        }
        for (char c : Token(value))
            set.set(static_cast<unsigned char>(c));
        return negated ? ~set : set;
    }

    size_t Number(std::string_view value)
    {
        size_t number = 0;
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        if (error != std::errc() || end != value.data() + value.size() || number == 0)
            Fail("expected a positive number, not \"" + std::string(value) + "\"");
        return number;
    }

    std::string Token(std::string_view token)
    {
        std::string bytes;
        if (!Text::Decode(token, bytes))
            Fail("a bad %XX escape in \"" + std::string(token) + "\"");
        return bytes;
    }

    std::vector<std::string> Strings(const std::vector<std::string_view>& tokens)
    {
        std::vector<std::string> strings;
        for (std::string_view token : tokens)
            strings.push_back(Token(token));
        return strings;
    }

    std::string One(const Line& line)
    {
        if (line.mTokens.size() != 1)
            Fail("\"" + std::string(line.mKey) + "\" takes one value");
        return Token(line.mTokens[0]);
    }

    const std::string& mSource;
    LanguageTable& mTable;
    std::string mWhere;
    Language* mLanguage = nullptr;
    LanguageTable::Group* mGroup = nullptr;
    FileLabels::Rules* mLabel = nullptr;
    bool mEscapeStated = false;
    std::set<std::string> mIds; // the ids of this file, each defined once
};

void LanguageReader::Read(std::string_view text, const std::string& source, LanguageTable& table)
{
    Records records(source, table);
    size_t number = 0;
    while (!text.empty())
    {
        const size_t end = std::min(text.find('\n'), text.size());
        records.ReadLine(text.substr(0, end), ++number);
        text.remove_prefix(std::min(text.size(), end + 1));
    }
    records.Close();
}

} // namespace Vn
