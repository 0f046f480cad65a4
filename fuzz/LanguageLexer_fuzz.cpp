// The language machine against a plain reading of the table's rules, for every row.
//
// The input's first line names a row of the built-in table by its id, and the rest is a
// file in that language, so that a seed keeps its row when rows are added; a first line
// that names no row, as most mutations of one do, leaves the row to the first byte. The
// reference reads the file line by line, trying at each place of code every form of the
// row, longest open first, with the position rules written out as docs/language-table.md
// states them; it has no first-byte tables and skips nothing. After every line both must
// give the same class, directive and condition marks and census names, and at the end
// agree on whether the file ends inside a construct.

#include "Fuzz.h"
#include "engine/languages/LanguageLexer.h"
#include "engine/languages/LanguageTable.h"
#include "lib/Ascii.h"

#include <algorithm>
#include <set>

namespace
{

using Form = Vn::Language_Form;
using Class = Vn::LanguageLexer::LineClass;

bool IsSpace(char c)
{
    return std::string_view(" \t\r\n\f\v").find(c) != std::string_view::npos && c != '\0';
}

bool IsWord(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool Has(const std::bitset<256>& set, char c)
{
    return set[static_cast<unsigned char>(c)];
}

struct LineResult
{
    Class mClass;
    bool mDirective;
    bool mCondition;
    std::vector<std::string> mNames;
    bool operator==(const LineResult&) const = default;
};

class Reference
{
public:
    explicit Reference(const Vn::Language& language) : mLanguage(language)
    {
        for (const Form& form : language.mForms)
            mForms.push_back(&form);
        std::stable_sort(mForms.begin(), mForms.end(),
                         [](const Form* a, const Form* b) {
                             return a->mOpen.size() + a->mOpenTail.size() >
                                    b->mOpen.size() + b->mOpenTail.size();
                         });
    }

    LineResult Line(std::string_view line)
    {
        mLine = line;
        mStart = 0;
        mCode = mComment = mDirectiveLine = mConditionLine = false;
        mNames.clear();
        size_t p = 0;
        if (mNumber == 0)
        {
            if (line.starts_with("\xEF\xBB\xBF"))
                p = mStart = 3;
            if (line.substr(p).starts_with("#!") && (line.size() == p + 2 || line[p + 2] != '['))
                mState = State::LINE, mForm = nullptr;
        }
        while (p < line.size())
            p = Step(p);
        EndLine();
        const Class lineClass = mCode ? Class::CODE : mComment ? Class::COMMENT : Class::BLANK;
        return {lineClass, mDirectiveLine, mConditionLine, mNames};
    }

    bool End() const
    {
        if (mState == State::STRING)
            return mForm->mMultiLine;
        if (mState == State::BLOCK)
            return !mForm->mMayEndFile;
        return mState != State::CODE && mState != State::LINE ? true : !mHeredocs.empty();
    }

private:
    enum class State
    {
        CODE,
        LINE,
        BLOCK,
        STRING,
        RAW,
        DOC,
        HEREDOC,
        QUOTE,
    };
    struct Heredoc
    {
        std::string mWord;
        const Form* mForm;
        char mStrip;
    };

    size_t Step(size_t p)
    {
        const char c = mLine[p];
        switch (mState)
        {
        case State::CODE:
            return StepCode(p);
        case State::LINE:
            mComment = mComment || !IsSpace(c);
            return p + 1;
        case State::BLOCK:
            return StepBlock(p);
        case State::STRING:
        case State::DOC:
            return StepString(p);
        case State::RAW:
            if ((mForm->mClose.empty() || c == mForm->mClose[0]) && CloseAt(p) > 0)
            {
                mCode = true;
                return Close(p + CloseAt(p));
            }
            mCode = mCode || !IsSpace(c);
            return p + 1;
        case State::HEREDOC:
            return HeredocLine();
        case State::QUOTE:
            return mBetween ? StepBetween(p) : StepQuote(p);
        }
        return p + 1;
    }

    size_t StepCode(size_t p)
    {
        if (mCondition && IsWord(mLine[p]))
            return Census(p);
        for (const Form* form : mForms)
        {
            const size_t length = Matches(p, form->mOpen, form->mNoCase);
            if (length > 0 && Allowed(*form, p, length))
            {
                if (const size_t next = Open(*form, p, p + length))
                    return next;
            }
        }
        const char c = mLine[p];
        if (mLanguage.mTracksDepth && std::string_view("([{").find(c) != std::string_view::npos)
            mBrackets++;
        else if (mLanguage.mTracksDepth &&
                 std::string_view(")]}").find(c) != std::string_view::npos && mBrackets > 0)
            mBrackets--;
        mCode = mCode || !IsSpace(c);
        return p + 1;
    }

    size_t StepBlock(size_t p)
    {
        const char c = mLine[p];
        if (TrovLib::Ascii::Fold(c) == TrovLib::Ascii::Fold(mForm->mClose[0]) && CloseAt(p) > 0 &&
            PlaceHolds(mForm->mPlace, p))
        {
            const size_t next = p + CloseAt(p);
            mComment = true;
            return --mDepth == 0 ? Close(next) : next;
        }
        if (mForm->mNests && c == mForm->mOpen[0] && Matches(p, mForm->mOpen, mForm->mNoCase) > 0 &&
            PlaceHolds(mForm->mPlace, p))
        {
            mComment = true;
            mDepth++;
            return p + mForm->mOpen.size();
        }
        mComment = mComment || !IsSpace(c);
        return p + 1;
    }

    size_t StepString(size_t p)
    {
        bool& mark = mState == State::DOC && mForm->mDocIsComment ? mComment : mCode;
        const char c = mLine[p];
        const std::string& close = mForm->mClose;
        if (Has(mForm->mEscapes, c) && (c != close[0] || !mForm->mEscapeDouble))
        {
            mark = true;
            size_t next = p + 1;
            if (next < mLine.size() && mLine[next] == '\r')
                next++;
            if (next >= mLine.size() || mLine[next] == '\n')
            {
                mEscapedEnd = true;
                return mLine.size();
            }
            return p + 2;
        }
        if (c == close[0] && Matches(p, close, false) > 0 && PlaceHolds(mForm->mClosePlace, p))
        {
            mark = true;
            if (mForm->mEscapeDouble && Matches(p + close.size(), close, false) > 0)
                return p + 2 * close.size();
            return Close(p + close.size());
        }
        mark = mark || !IsSpace(c);
        return p + 1;
    }

    // A part of a quote-like operator: a bracket nests with its partner, an escape takes
    // the next byte, and the close ends the part; a bracketed part leaves a gap before the
    // next one, any other shares its close with it. Word bytes after the last are flags.
    size_t StepQuote(size_t p)
    {
        const char c = mLine[p];
        if (c == mQuoteClose)
        {
            mCode = true;
            if (--mDepth > 0)
                return p + 1;
            if (--mPartsLeft == 0)
            {
                size_t end = p + 1;
                while (end < mLine.size() && IsWord(mLine[end]))
                    end++; // flags
                return Close(end);
            }
            mBetween = mQuoteNest != mQuoteClose;
            mBlankBetween = false;
            mDepth = 1;
            return p + 1;
        }
        if (c == mQuoteNest)
            mDepth++;
        else if (Has(mForm->mEscapes, c))
        {
            mCode = true;
            return std::min(p + 2, mLine.size());
        }
        mCode = mCode || !IsSpace(c);
        return p + 1;
    }

    // In the gap of s{a} {b}: white space, a line comment after a blank, or the delimiter.
    size_t StepBetween(size_t p)
    {
        if (IsSpace(mLine[p]))
        {
            mBlankBetween = true;
            return p + 1;
        }
        if (mBlankBetween && LineCommentAt(p))
        {
            mComment = true;
            return mLine.size();
        }
        mBetween = false;
        mCode = true;
        return Part(p);
    }

    size_t Part(size_t delimiter)
    {
        const char d = mLine[delimiter];
        const size_t pair = mForm->mPairs.find(d);
        mQuoteNest = d;
        mQuoteClose = pair != std::string::npos && pair % 2 == 0 ? mForm->mPairs[pair + 1] : d;
        mDepth = 1;
        return delimiter + 1;
    }

    bool LineCommentAt(size_t p) const
    {
        for (const Form* form : mForms)
        {
            if (form->mKind == Form::Kind::LINE && Matches(p, form->mOpen, form->mNoCase) > 0)
                return true;
        }
        return false;
    }

    // The word alone, blanks where the row allows them, then the delimiter: no white space,
    // no word byte, none the row refuses, not "=>", and past blanks no comment marker.
    size_t QuoteOpen(const Form& form, size_t p, size_t after)
    {
        if (IsWord(form.mOpen[0]) && p > mStart && IsWord(mLine[p - 1]))
            return 0;
        if (form.mBare)
        {
            Enter(State::QUOTE, form, p);
            mPartsLeft = form.mParts;
            mBetween = false;
            return Part(p);
        }
        size_t q = after;
        while (form.mBlanks && q < mLine.size() && IsSpace(mLine[q]) && mLine[q] != '\n')
            q++;
        if (q >= mLine.size())
            return 0;
        const char d = mLine[q];
        if (IsSpace(d) || IsWord(d) || Has(form.mNotBefore, d) ||
            mLine.substr(q).starts_with("=>") || (q > after && LineCommentAt(q)))
            return 0;
        Enter(State::QUOTE, form, q);
        mPartsLeft = form.mParts;
        mBetween = false;
        return Part(q);
    }

    size_t Open(const Form& form, size_t p, size_t after)
    {
        switch (form.mKind)
        {
        case Form::Kind::LINE:
            return Enter(State::LINE, form, after);
        case Form::Kind::BLOCK:
            after = form.mCaptures ? Capture(form, after) : after;
            mDepth = 1;
            return after != 0 ? Enter(State::BLOCK, form, after) : 0;
        case Form::Kind::STRING:
            return !form.mOne || OneCharacter(form, after) ? Enter(State::STRING, form, after) : 0;
        case Form::Kind::RAW:
            after = Capture(form, after);
            return after != 0 ? Enter(State::RAW, form, after) : 0;
        case Form::Kind::DOC:
            return Enter(State::DOC, form, after);
        case Form::Kind::DIRECTIVE:
            return Directive(form, after);
        case Form::Kind::HEREDOC:
            return HeredocWord(form, p, after);
        case Form::Kind::ESCAPE:
            mCode = true;
            return after < mLine.size() && mLine[after] != '\n' ? after + 1 : after;
        case Form::Kind::QUOTE:
            return QuoteOpen(form, p, after);
        case Form::Kind::END:
            if (IsWord(form.mOpen[0]) && p > 0 && IsWord(mLine[p - 1]))
                return 0;
            mCode = true;
            mState = State::LINE;
            mForm = &form;
            return after;
        }
        return 0;
    }

    size_t Enter(State state, const Form& form, size_t after)
    {
        mState = state;
        mForm = &form;
        const bool comment = state == State::LINE || state == State::BLOCK ||
                             (state == State::DOC && form.mDocIsComment);
        if (state == State::DOC && form.mPlace == Form::Place::STATEMENT_START)
            mCode = false;
        (comment ? mComment : mCode) = true;
        return after;
    }

    size_t Close(size_t p)
    {
        mState = State::CODE;
        mForm = nullptr;
        return p;
    }

    size_t Capture(const Form& form, size_t p)
    {
        size_t end = p;
        while (end < mLine.size() && Has(form.mCaptureSet, mLine[end]) &&
               (!form.mCaptureRepeat || mLine[end] == mLine[p]) && end - p < form.mCaptureMax)
            end++;
        if (end < mLine.size() && Has(form.mCaptureSet, mLine[end]) && !form.mCaptureRepeat)
            return 0;
        const size_t tail = Matches(end, form.mOpenTail, form.mNoCase);
        if (!form.mOpenTail.empty() && tail == 0)
            return 0;
        mDelimiter = mLine.substr(p, end - p);
        return end + tail;
    }

    size_t Directive(const Form& form, size_t after)
    {
        size_t word = after;
        while (word < mLine.size() && (mLine[word] == ' ' || mLine[word] == '\t'))
            word++;
        size_t end = word;
        while (end < mLine.size() && IsWord(mLine[end]))
            end++;
        const std::string name(mLine.substr(word, end - word));
        const auto listed = [&](const std::vector<std::string>& words)
        { return std::find(words.begin(), words.end(), name) != words.end(); };
        if (!form.mWords.empty() && !listed(form.mWords))
            return 0;
        mDirective = &form;
        mInDirective = true;
        mCondition = listed(form.mConditions);
        mDirectiveLine = true;
        mConditionLine = mConditionLine || mCondition;
        mCode = true;
        return end;
    }

    size_t HeredocWord(const Form& form, size_t p, size_t q)
    {
        const size_t size = mLine.size();
        char strip = '\0';
        if (form.mDash && q < size && mLine[q] == '-')
            strip = '\t', q++;
        else if (form.mTilde && q < size && mLine[q] == '~')
            strip = ' ', q++;
        if (form.mIndent)
            strip = ' ';
        while (!form.mTouch && q < size && (mLine[q] == ' ' || mLine[q] == '\t'))
            q++;
        const char quote = q < size && Has(form.mQuotes, mLine[q]) ? mLine[q] : '\0';
        if (quote != '\0' || (q < size && mLine[q] == '\\' && form.mQuotes.any()))
            q++;
        const size_t word = q;
        if (quote != '\0')
            q = std::min(mLine.find(quote, q), size);
        else if (form.mAnyWord)
            q = std::min(mLine.find_first_of(" \t\r\n\f\v;&|()<>", q), size);
        else if (q < size &&
                 (std::isalpha(static_cast<unsigned char>(mLine[q])) || mLine[q] == '_'))
            while (q < size && IsWord(mLine[q]))
                q++;
        if (q == word || q == size || (quote != '\0' && mLine[q] != quote))
            return 0;
        mHeredocs.push_back({std::string(mLine.substr(word, q - word)), &form, strip});
        mCode = true;
        (void)p;
        return q + (quote != '\0' ? 1 : 0);
    }

    size_t HeredocLine()
    {
        std::string_view line = mLine;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        mCode = mCode || std::any_of(line.begin(), line.end(), [](char c) { return !IsSpace(c); });
        const Heredoc& heredoc = mHeredocs[mHeredocAt];
        while (heredoc.mStrip != '\0' && !line.empty() &&
               (line[0] == '\t' || (heredoc.mStrip == ' ' && line[0] == ' ')))
            line.remove_prefix(1);
        if (line.starts_with(heredoc.mWord) &&
            std::all_of(line.begin() + heredoc.mWord.size(), line.end(),
                        [&](char c) { return Has(heredoc.mForm->mAfterWord, c); }))
            mHeredocAt++;
        return mLine.size();
    }

    size_t Census(size_t p)
    {
        size_t end = p;
        mCode = true;
        if (std::isdigit(static_cast<unsigned char>(mLine[p])))
        {
            while (end < mLine.size() &&
                   (IsWord(mLine[end]) || mLine[end] == '.' || mLine[end] == '\''))
                end++;
            return end;
        }
        while (end < mLine.size() && IsWord(mLine[end]))
            end++;
        const std::string name(mLine.substr(p, end - p));
        static const std::set<std::string> QUERIES = {
            "__has_include",     "__has_include_next", "__has_attribute", "__has_cpp_attribute",
            "__has_c_attribute", "__has_builtin",      "__has_feature",   "__has_extension",
            "__has_embed",       "__has_warning"};
        if (QUERIES.count(name) != 0)
        {
            while (end < mLine.size() && (mLine[end] == ' ' || mLine[end] == '\t'))
                end++;
            if (end == mLine.size() || mLine[end] != '(')
                return end;
            for (int depth = 0; end < mLine.size(); end++)
            {
                depth += mLine[end] == '(' ? 1 : mLine[end] == ')' ? -1 : 0;
                if (depth == 0)
                    return end + 1;
            }
            return end;
        }
        static const std::vector<std::string> NOT_NAMES = {
            "defined", "true", "false", "and",    "or",     "not",   "bitand",
            "bitor",   "xor",  "compl", "not_eq", "and_eq", "or_eq", "xor_eq"};
        if (std::find(NOT_NAMES.begin(), NOT_NAMES.end(), name) == NOT_NAMES.end())
            mNames.push_back(name);
        return end;
    }

    void EndLine()
    {
        const std::string_view line = mLine;
        size_t end = line.size();
        end -= end > 0 && line[end - 1] == '\n' ? 1 : 0;
        end -= end > 0 && line[end - 1] == '\r' ? 1 : 0;
        const bool backslash = end > 0 && line[end - 1] == '\\';
        const bool toFileEnd = mForm != nullptr && mForm->mKind == Form::Kind::END;
        if (mState == State::LINE && !toFileEnd &&
            !(mForm != nullptr && mForm->mContinues && backslash))
            mState = State::CODE;
        else if (mState == State::STRING && !mForm->mMultiLine &&
                 !(mEscapedEnd && mForm->mContinues))
            mState = State::CODE;
        mEscapedEnd = false;
        if (mInDirective && mState == State::CODE && !(mDirective->mContinues && backslash))
            mInDirective = mCondition = false;
        if (mState == State::HEREDOC && mHeredocAt == mHeredocs.size())
        {
            mState = State::CODE;
            mHeredocs.clear();
        }
        else if (mState == State::CODE && !mHeredocs.empty())
        {
            mState = State::HEREDOC;
            mHeredocAt = 0;
        }
        mNumber++;
    }

    size_t Matches(size_t p, std::string_view token, bool noCase) const
    {
        if (token.empty() || p + token.size() > mLine.size())
            return 0;
        for (size_t i = 0; i < token.size(); i++)
        {
            const char a = mLine[p + i];
            if (noCase ? TrovLib::Ascii::Fold(a) != TrovLib::Ascii::Fold(token[i]) || a == '\0'
                       : a != token[i])
                return 0;
        }
        return token.size();
    }

    size_t CloseAt(size_t p) const
    {
        if (!mForm->mCaptures)
            return Matches(p, mForm->mClose, mForm->mNoCase);
        if (!mForm->mClose.empty() && Matches(p, mForm->mClose, mForm->mNoCase) == 0)
            return 0;
        const size_t delimiter = p + mForm->mClose.size();
        if (mLine.substr(std::min(delimiter, mLine.size())).substr(0, mDelimiter.size()) !=
                mDelimiter ||
            delimiter + mDelimiter.size() > mLine.size())
            return 0;
        const size_t length = mForm->mClose.size() + mDelimiter.size();
        if (mForm->mCloseTail.empty())
            return length;
        const size_t tail = Matches(p + length, mForm->mCloseTail, mForm->mNoCase);
        return tail > 0 ? length + tail : 0;
    }

    bool BlanksBefore(size_t p) const
    {
        for (size_t i = mStart; i < p; i++)
        {
            if (!IsSpace(mLine[i]))
                return false;
        }
        return true;
    }

    bool PlaceHolds(Form::Place place, size_t p) const
    {
        switch (place)
        {
        case Form::Place::LINE_START:
            return BlanksBefore(p);
        case Form::Place::COLUMN_1:
            return p == mStart;
        case Form::Place::FILE_START:
            return p == mStart && mNumber == 0;
        case Form::Place::STATEMENT_START:
            return BlanksBefore(p) && mBrackets == 0 && !mInDirective;
        default:
            return true;
        }
    }

    bool Allowed(const Form& form, size_t p, size_t length) const
    {
        const char before = p > mStart ? mLine[p - 1] : '\n';
        const size_t after = p + length;
        const size_t place =
            form.mKind == Form::Kind::DOC && Prefixed(form, p) ? p - Prefixed(form, p) : p;
        if (!PlaceHolds(form.mPlace, place) ||
            (form.mWord && after < mLine.size() && !IsSpace(mLine[after])))
            return false;
        if (form.mBoundary && !IsSpace(before) &&
            std::string_view(";&|()<>").find(before) == std::string_view::npos)
            return false;
        if ((form.mAfterBlank && !IsSpace(before)) ||
            (after < mLine.size() && Has(form.mNotBefore, mLine[after])))
            return false;
        size_t start = p;
        while (start > 0 &&
               (IsWord(mLine[start - 1]) || mLine[start - 1] == '\'' || mLine[start - 1] == '.'))
            start--;
        start += start < p && mLine[start] == '.' ? 1 : 0;
        if (form.mNotAfterNumber && start < p &&
            std::isdigit(static_cast<unsigned char>(mLine[start])) && after < mLine.size() &&
            IsWord(mLine[after]))
            return false;
        if (!form.mFollows.empty() && !Follows(form, p))
            return false;
        return !Has(form.mNotAfter, before) || Prefixed(form, p) > 0;
    }

    // Whether the text before `p`, without the blanks that end it, ends with one of the
    // form's words, a word that starts with a word byte starting a word.
    bool Follows(const Form& form, size_t p) const
    {
        std::string_view before = mLine.substr(0, p);
        while (!before.empty() && IsSpace(before.back()) && before.back() != '\n')
            before.remove_suffix(1);
        for (const std::string& word : form.mFollows)
        {
            if (!before.ends_with(word))
                continue;
            const size_t start = before.size() - word.size();
            if (!IsWord(word[0]) || start == 0 || !IsWord(before[start - 1]))
                return true;
        }
        return false;
    }

    // The length of the first of the form's prefixes that stands right before `p`, or 0.
    size_t Prefixed(const Form& form, size_t p) const
    {
        for (const std::string& prefix : form.mPrefixes)
        {
            if (p >= prefix.size() && Matches(p - prefix.size(), prefix, true) > 0 &&
                (p == prefix.size() || !IsWord(mLine[p - prefix.size() - 1])))
                return prefix.size();
        }
        return 0;
    }

    bool OneCharacter(const Form& form, size_t inside) const
    {
        if (inside >= mLine.size())
            return false;
        if (Has(form.mEscapes, mLine[inside]))
        {
            for (size_t q = inside + 2; q < mLine.size() && q <= inside + 12; q++)
            {
                if (Matches(q, form.mClose, false) > 0)
                    return true;
            }
            return false;
        }
        if (Matches(inside, form.mClose, false) > 0)
            return false;
        const auto byte = static_cast<unsigned char>(mLine[inside]);
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return mLine.size() - inside > length && Matches(inside + length, form.mClose, false) > 0;
    }

    const Vn::Language& mLanguage;
    std::vector<const Form*> mForms; // longest open first
    std::string_view mLine;
    size_t mStart = 0; // after a byte-order mark
    uint64_t mNumber = 0;
    State mState = State::CODE;
    const Form* mForm = nullptr;
    const Form* mDirective = nullptr;
    size_t mDepth = 0;
    std::string mDelimiter;
    char mQuoteNest = '\0', mQuoteClose = '\0';
    int mPartsLeft = 0;
    bool mBetween = false, mBlankBetween = false;
    bool mEscapedEnd = false;
    int mBrackets = 0;
    bool mInDirective = false;
    bool mCondition = false;
    std::vector<Heredoc> mHeredocs;
    size_t mHeredocAt = 0;
    bool mCode = false, mComment = false, mDirectiveLine = false, mConditionLine = false;
    std::vector<std::string> mNames;
};

// The row that the input's first line names and the text after that line, or else the row
// that its first byte picks and the text after that byte.
std::pair<const Vn::Language*, std::string_view> PickRow(std::string_view input)
{
    static const auto table = Vn::LanguageTable::BuiltIn();
    const size_t end = input.find('\n');
    const std::string_view id = input.substr(0, end);
    const std::string_view rest = end == std::string_view::npos ? "" : input.substr(end + 1);
    if (const Vn::Language* named = table->FindById(id))
        return {named, rest};
    const auto& languages = table->GetLanguages();
    if (input.empty())
        return {languages.front().get(), input};
    return {languages[static_cast<uint8_t>(input[0]) % languages.size()].get(), input.substr(1)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [row, text] = PickRow({reinterpret_cast<const char*>(data), size});
    const Vn::Language& language = *row;

    Reference reference(language);
    Vn::LanguageLexer lexer;
    lexer.Begin(language, false);
    for (size_t at = 0; at < text.size();)
    {
        const size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
        const std::string_view line(text.data() + at, end - at);
        lexer.Feed(line.data(), line.data() + line.size(), true);
        const auto& names = lexer.GetNames();
        const LineResult machine{lexer.GetClass(), lexer.StartsDirective(), lexer.StartsCondition(),
                                 std::vector<std::string>(names.begin(), names.end())};
        VarnikFuzz::Require(machine == reference.Line(line),
                            "a line reads as the table's rules say");
        at = end;
    }
    VarnikFuzz::Require(lexer.End() == reference.End(), "the file ends in the same construct");
    return 0;
}
