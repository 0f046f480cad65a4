#include "engine/languages/LanguageLexer.h"

#include "engine/languages/LanguageText.h"
#include "lib/Ascii.h"

#include <algorithm>
#include <cstring>

namespace Vn
{

namespace
{

using Form = Language_Form;

constexpr bool IsSpace(char c)
{
    return Text::IsBlank(c) || c == '\n';
}

// The bytes that end a Shell word besides blanks.
constexpr std::string_view OPERATORS = ";&|()<>";

constexpr bool EndsShellWord(char c)
{
    return IsSpace(c) || OPERATORS.find(c) != std::string_view::npos;
}

// Words of a condition that name no macro: operators spelled as words and literals.
constexpr std::string_view NOT_MACROS[] = {
    "defined", "true", "false", "and",    "or",     "not",   "bitand",
    "bitor",   "xor",  "compl", "not_eq", "and_eq", "or_eq", "xor_eq",
};

// Functions of a condition whose argument names a header, an attribute or a feature.
constexpr std::string_view QUERIES[] = {
    "__has_include",     "__has_include_next", "__has_attribute", "__has_cpp_attribute",
    "__has_c_attribute", "__has_builtin",      "__has_feature",   "__has_extension",
    "__has_embed",       "__has_warning",
};

// Most words of a list differ from the one looked for in length or first byte, which are
// compared before a call compares the bytes.
bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && (a.empty() || (a[0] == b[0] && a == b));
}

template <typename Words> bool IsOneOf(std::string_view word, const Words& words)
{
    return std::any_of(std::begin(words), std::end(words),
                       [word](std::string_view candidate) { return SameWord(candidate, word); });
}

} // namespace

LanguageLexer::LanguageLexer()
{
    mDelimiter.reserve(64);
    mNames.reserve(16);
    mZones.reserve(16);
    mHeredocs.resize(8);
    for (Heredoc& heredoc : mHeredocs)
        heredoc.mWord.reserve(64);
}

void LanguageLexer::Begin(const Language& language, bool recordZones)
{
    mLanguage = &language;
    mRecordZones = recordZones;
    mState = State::CODE;
    mForm = nullptr;
    mDirective = nullptr;
    mDepth = 0;
    mDelimiter.clear();
    mEscapedEnd = false;
    mPartsLeft = 0;
    mBetweenParts = false;
    mBrackets = 0;
    mInDirective = false;
    mInCondition = false;
    mHeredocCount = 0;
    mHeredocAt = 0;
    mLineNumber = 0;
    mPieceStartsLine = true;
    mLastByte = '\n';
}

void LanguageLexer::Feed(const char* begin, const char* end, bool endsLine)
{
    mNames.clear();
    mZones.clear();
    mBegin = mLineStart = begin;
    mEnd = end;
    if (mPieceStartsLine)
    {
        mLine_Code = mLine_Comment = mLine_Directive = mLine_Condition = false;
        mLineHadContent = false;
    }
    const char* p = begin;
    if (mLineNumber == 0 && mPieceStartsLine)
        p = mLineStart = StartFile(p);
    SetZone(begin, StateZone());
    while (p < mEnd)
    {
        switch (mState)
        {
        case State::CODE:
            p = RunCode(p);
            break;
        case State::LINE_COMMENT:
            p = RunLineComment(p);
            break;
        case State::BLOCK:
            p = RunBlock(p);
            break;
        case State::STRING:
        case State::DOC:
            p = RunString(p);
            break;
        case State::RAW:
            p = RunRaw(p);
            break;
        case State::HEREDOC:
            p = RunHeredocLine(p);
            break;
        case State::QUOTE:
            p = RunQuote(p);
            break;
        }
    }
    mLineHadContent = mLine_Code || mLine_Comment;
    if (end > begin)
        mLastByte = end[-1];
    mPieceStartsLine = endsLine;
    if (endsLine)
        EndLine();
}

// A byte-order mark is white space, and a "#!" line (not Rust's "#![") is a comment.
const char* LanguageLexer::StartFile(const char* p)
{
    if (mEnd - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0)
        p += 3;
    if (mEnd - p >= 2 && p[0] == '#' && p[1] == '!' && (mEnd - p == 2 || p[2] != '['))
    {
        mState = State::LINE_COMMENT;
        mForm = nullptr;
    }
    return p;
}

bool LanguageLexer::End()
{
    switch (mState)
    {
    case State::BLOCK:
        return !mForm->mMayEndFile;
    case State::RAW:
    case State::DOC:
    case State::HEREDOC:
    case State::QUOTE:
        return true;
    case State::STRING:
        return mForm->mMultiLine;
    default:
        return mHeredocCount > 0;
    }
}

const char* LanguageLexer::RunCode(const char* p)
{
    while (p < mEnd)
    {
        if (mInCondition && Text::IsWordByte(*p))
        {
            p = ReadCensus(p);
            continue;
        }
        if (!MayOpen(p))
        {
            p = SkipCode(p);
            continue;
        }
        if (const char* next = TryOpen(p))
            return next;
        if (mLanguage->mTracksDepth)
            CountBracket(*p);
        mLine_Code = mLine_Code || !IsSpace(*p);
        p++;
    }
    return p;
}

// Passes over bytes that open nothing; once the line holds code, from one byte that may open
// something to the next. In a condition it takes one byte, so that names are read whole.
const char* LanguageLexer::SkipCode(const char* p)
{
    if (mInCondition)
    {
        mLine_Code = mLine_Code || !IsSpace(*p);
        return p + 1;
    }
    const ByteFinder& starts = mLanguage->mStarts;
    if (!mLine_Code)
    {
        while (p < mEnd && IsSpace(*p) && !starts.Has(*p))
            p++;
        mLine_Code = p < mEnd && !MayOpen(p);
    }
    while (p < mEnd && !MayOpen(p))
        p = starts.Find(p + 1, mEnd, mBegin);
    return p;
}

// The byte may start an open, and does not stand inside a word if its opens are words.
bool LanguageLexer::MayOpen(const char* p) const
{
    const auto c = static_cast<unsigned char>(*p);
    return mLanguage->mStarts.Has(*p) &&
           !(mLanguage->mWordStarts[c] && Text::IsWordByte(ByteBefore(p)));
}

void LanguageLexer::CountBracket(char c)
{
    if (c == '(' || c == '[' || c == '{')
        mBrackets++;
    else if ((c == ')' || c == ']' || c == '}') && mBrackets > 0)
        mBrackets--;
}

const char* LanguageLexer::RunLineComment(const char* p)
{
    for (; !mLine_Comment && p < mEnd; p++)
        mLine_Comment = !IsSpace(*p);
    return mEnd;
}

const char* LanguageLexer::RunBlock(const char* p)
{
    const Form& form = *mForm;
    const char closeFirst = form.mClose[0];
    const char openFirst = form.mOpen[0];
    const bool plainClose = !form.mNests && !form.mNoCase;
    while (p < mEnd)
    {
        // Once the line holds comment text, only a close can change anything.
        if (mLine_Comment && plainClose)
        {
            p = static_cast<const char*>(std::memchr(p, closeFirst, static_cast<size_t>(mEnd - p)));
            if (p == nullptr)
                return mEnd;
        }
        const char c = *p;
        if (TrovLib::Ascii::Fold(c) == TrovLib::Ascii::Fold(closeFirst))
        {
            const size_t length = MatchClose(p);
            if (length > 0 && PositionAllows(form.mPlace, p))
            {
                p += length;
                mLine_Comment = true;
                if (--mDepth == 0)
                    return Close(p);
                continue;
            }
        }
        if (form.mNests && c == openFirst)
        {
            const size_t length = Match(p, form.mOpen, form.mNoCase);
            if (length > 0 && PositionAllows(form.mPlace, p))
            {
                p += length;
                mLine_Comment = true;
                mDepth++;
                continue;
            }
        }
        mLine_Comment = mLine_Comment || !IsSpace(c);
        p++;
    }
    return p;
}

// Strings and doc strings: an escape takes the byte after it, and an escaped line feed
// continues the string on the next line.
const char* LanguageLexer::RunString(const char* p)
{
    const Form& form = *mForm;
    bool& mark = mState == State::DOC && form.mDocIsComment ? mLine_Comment : mLine_Code;
    const char closeFirst = form.mClose[0];
    while (p < mEnd)
    {
        const char* stop = form.mStops.Find(p, mEnd, mBegin);
        for (; !mark && p < stop; p++)
            mark = !IsSpace(*p);
        p = stop;
        if (p == mEnd)
            break;
        const char c = *p;
        if (form.mEscapes[static_cast<unsigned char>(c)] &&
            (c != closeFirst || !form.mEscapeDouble))
        {
            mark = true;
            const char* next = p + 1;
            if (next < mEnd && *next == '\r')
                next++;
            if (next >= mEnd || *next == '\n')
            {
                mEscapedEnd = true;
                return mEnd;
            }
            p += 2;
            continue;
        }
        if (c == closeFirst)
        {
            const size_t length = Match(p, form.mClose, false);
            if (length > 0 && PositionAllows(form.mClosePlace, p))
            {
                mark = true;
                if (form.mEscapeDouble && Match(p + length, form.mClose, false) > 0)
                {
                    p += 2 * length;
                    continue;
                }
                return Close(p + length);
            }
        }
        mark = mark || !IsSpace(c);
        p++;
    }
    return p;
}

const char* LanguageLexer::RunRaw(const char* p)
{
    const char closeFirst = mForm->mClose.empty() ? '\0' : mForm->mClose[0];
    while (p < mEnd)
    {
        const char c = *p;
        if (c == closeFirst || mForm->mClose.empty())
        {
            const size_t length = MatchClose(p);
            if (length > 0)
            {
                mLine_Code = true;
                return Close(p + length);
            }
        }
        mLine_Code = mLine_Code || !IsSpace(c);
        p++;
    }
    return p;
}

// A heredoc body line is string text, unless it is the word that ends the body.
const char* LanguageLexer::RunHeredocLine(const char* p)
{
    const Heredoc& heredoc = mHeredocs[mHeredocAt];
    std::string_view line(p, static_cast<size_t>(mEnd - p));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    for (char c : line)
        mLine_Code = mLine_Code || !IsSpace(c);
    if (!mPieceStartsLine)
        return mEnd;
    if (heredoc.mStrip != '\0')
    {
        while (!line.empty() &&
               (line.front() == '\t' || (heredoc.mStrip == ' ' && line.front() == ' ')))
            line.remove_prefix(1);
    }
    if (line.starts_with(heredoc.mWord))
    {
        const std::string_view after = line.substr(heredoc.mWord.size());
        if (std::all_of(after.begin(), after.end(),
                        [&](char c)
                        { return heredoc.mForm->mAfterWord[static_cast<unsigned char>(c)]; }))
            mHeredocAt++;
    }
    return mEnd;
}

// A part of a quote-like operator runs to its close; a bracket nests with its partner.
// An escape takes the byte after it, and so a delimiter.
const char* LanguageLexer::RunQuote(const char* p)
{
    const Form& form = *mForm;
    while (p < mEnd)
    {
        if (mBetweenParts)
        {
            p = RunBetweenParts(p);
            continue;
        }
        const char c = *p;
        if (c == mQuoteClose)
        {
            mLine_Code = true;
            p++;
            if (--mDepth > 0)
                continue;
            if (--mPartsLeft == 0)
                return Close(SkipFlags(p));
            // s/a/b/ shares its middle delimiter; s{a}{b} has a second of its own.
            mBetweenParts = mQuoteNest != mQuoteClose;
            mBlankBetween = false;
            mDepth = 1;
            continue;
        }
        if (c == mQuoteNest)
            mDepth++;
        else if (form.mEscapes[static_cast<unsigned char>(c)])
        {
            mLine_Code = true;
            p = std::min(p + 2, mEnd);
            continue;
        }
        mLine_Code = mLine_Code || !IsSpace(c);
        p++;
    }
    return p;
}

// The word bytes right after the last delimiter are the operator's flags: s/a/b/gs.
const char* LanguageLexer::SkipFlags(const char* p) const
{
    while (p < mEnd && Text::IsWordByte(*p))
        p++;
    return p;
}

// Between s{a} and {b}: blanks and line ends, then the second part's delimiter. Past a
// blank, a line comment's marker comments out the rest of the line.
const char* LanguageLexer::RunBetweenParts(const char* p)
{
    for (; p < mEnd && IsSpace(*p); p++)
        mBlankBetween = true;
    if (p == mEnd)
        return p;
    if (mBlankBetween && OpensLineComment(p))
    {
        mLine_Comment = true;
        SetZone(p, ZONE_COMMENT);
        return mEnd;
    }
    mBetweenParts = false;
    mLine_Code = true;
    SetZone(p, ZONE_STRING);
    return StartPart(p);
}

const char* LanguageLexer::Close(const char* p)
{
    mState = State::CODE;
    mForm = nullptr;
    SetZone(p, CodeZone());
    return p;
}

const char* LanguageLexer::TryOpen(const char* p)
{
    for (const uint16_t index : mLanguage->mOpeners[static_cast<unsigned char>(*p)])
    {
        const Form& form = mLanguage->mForms[index];
        const size_t length = Match(p, form.mOpen, form.mNoCase);
        if (length > 0 && PlaceAllows(form, p, length))
        {
            if (const char* next = Open(form, p, p + length))
                return next;
        }
    }
    return nullptr;
}

const char* LanguageLexer::Open(const Form& form, const char* p, const char* after)
{
    switch (form.mKind)
    {
    case Form::Kind::LINE:
        return Enter(State::LINE_COMMENT, form, p, after);
    case Form::Kind::BLOCK:
        after = form.mCaptures ? Capture(form, after) : after;
        mDepth = 1;
        return after != nullptr ? Enter(State::BLOCK, form, p, after) : nullptr;
    case Form::Kind::STRING:
        if (form.mOne && !IsOneCharacter(form, after))
            return nullptr;
        return Enter(State::STRING, form, p, after);
    case Form::Kind::RAW:
        after = Capture(form, after);
        return after != nullptr ? Enter(State::RAW, form, p, after) : nullptr;
    case Form::Kind::DOC:
        return Enter(State::DOC, form, p, after);
    case Form::Kind::DIRECTIVE:
        return OpenDirective(form, p, after);
    case Form::Kind::HEREDOC:
        return OpenHeredoc(form, p, after);
    case Form::Kind::ESCAPE:
        // The quoted byte opens nothing; a quoted line feed continues the line.
        mLine_Code = true;
        return after < mEnd && *after != '\n' ? after + 1 : after;
    case Form::Kind::QUOTE:
        return OpenQuote(form, p, after);
    case Form::Kind::END:
        return OpenEnd(form, p, after);
    }
    return nullptr;
}

const char* LanguageLexer::Enter(State state, const Form& form, const char* p, const char* after)
{
    mState = state;
    mForm = &form;
    SetZone(p, StateZone());
    // A doc string that starts a statement has at most its prefix before it on the line.
    if (state == State::DOC && form.mPlace == Form::Place::STATEMENT_START)
        mLine_Code = false;
    if (StateZone() == ZONE_COMMENT)
        mLine_Comment = true;
    else
        mLine_Code = true;
    return after;
}

// Reads the delimiter after the open and the rest of the open behind it.
const char* LanguageLexer::Capture(const Form& form, const char* p)
{
    const char* end = p;
    while (end < mEnd && form.mCaptureSet[static_cast<unsigned char>(*end)] &&
           (!form.mCaptureRepeat || *end == *p) && static_cast<size_t>(end - p) < form.mCaptureMax)
        end++;
    if (end < mEnd && form.mCaptureSet[static_cast<unsigned char>(*end)] && !form.mCaptureRepeat)
        return nullptr; // longer than a delimiter may be
    const size_t tail = Match(end, form.mOpenTail, form.mNoCase);
    if (!form.mOpenTail.empty() && tail == 0)
        return nullptr;
    mDelimiter.assign(p, end);
    return end + tail;
}

const char* LanguageLexer::OpenDirective(const Form& form, const char* p, const char* after)
{
    const char* word = after;
    while (word < mEnd && (*word == ' ' || *word == '\t'))
        word++;
    const char* end = word;
    while (end < mEnd && Text::IsWordByte(*end))
        end++;
    const std::string_view name(word, static_cast<size_t>(end - word));
    if (!form.mWords.empty() && !IsOneOf(name, form.mWords))
        return nullptr;
    mDirective = &form;
    mInDirective = true;
    mInCondition = IsOneOf(name, form.mConditions);
    mLine_Directive = true;
    mLine_Condition = mLine_Condition || mInCondition;
    mLine_Code = true;
    SetZone(p, ZONE_DIRECTIVE);
    return end;
}

// Queues the word after a heredoc opener; its body begins on the next line.
const char* LanguageLexer::OpenHeredoc(const Form& form, const char* p, const char* after)
{
    const char* q = after;
    char strip = '\0';
    if (form.mDash && q < mEnd && *q == '-')
        strip = '\t', q++;
    else if (form.mTilde && q < mEnd && *q == '~')
        strip = ' ', q++;
    if (form.mIndent)
        strip = ' ';
    if (!form.mTouch)
        while (q < mEnd && (*q == ' ' || *q == '\t'))
            q++;
    const char quote = q < mEnd && form.mQuotes[static_cast<unsigned char>(*q)] ? *q : '\0';
    if (quote != '\0' || (q < mEnd && *q == '\\' && form.mQuotes.any()))
        q++;
    const char* word = q;
    if (quote != '\0')
        q = std::find(q, mEnd, quote);
    else if (form.mAnyWord)
        q = std::find_if(q, mEnd, EndsShellWord);
    else if (q < mEnd && (TrovLib::Ascii::IsLetter(*q) || *q == '_'))
        q = std::find_if(q, mEnd, [](char c) { return !Text::IsWordByte(c); });
    if (q == word || q == mEnd || (quote != '\0' && *q != quote))
        return nullptr;
    if (mHeredocCount == mHeredocs.size())
        mHeredocs.emplace_back();
    Heredoc& heredoc = mHeredocs[mHeredocCount++];
    heredoc.mWord.assign(word, q);
    heredoc.mForm = &form;
    heredoc.mStrip = strip;
    mLine_Code = true;
    SetZone(p, ZONE_STRING);
    q += quote != '\0' ? 1 : 0;
    SetZone(q, CodeZone());
    return q;
}

// The operator's word stands as a word of its own; the first part's delimiter follows it,
// past blanks where the row allows them. A bare operator is its own first delimiter.
const char* LanguageLexer::OpenQuote(const Form& form, const char* p, const char* after)
{
    if (Language::StartsWord(form) && Text::IsWordByte(ByteBefore(p)))
        return nullptr;
    const char* delimiter = form.mBare ? p : FindDelimiter(form, after);
    if (delimiter == nullptr)
        return nullptr;
    Enter(State::QUOTE, form, p, delimiter);
    mPartsLeft = form.mParts;
    mBetweenParts = false;
    return StartPart(delimiter);
}

const char* LanguageLexer::FindDelimiter(const Form& form, const char* after) const
{
    const char* q = after;
    while (form.mBlanks && q < mEnd && Text::IsBlank(*q))
        q++;
    return q < mEnd && IsDelimiter(form, q, q > after) ? q : nullptr;
}

// Any byte but white space or a word byte, unless the row refuses it. A word before "=>"
// is a hash key, and past a blank a line comment's marker opens a comment.
bool LanguageLexer::IsDelimiter(const Form& form, const char* p, bool afterBlanks) const
{
    const char c = *p;
    if (IsSpace(c) || Text::IsWordByte(c) || form.mNotBefore[static_cast<unsigned char>(c)])
        return false;
    if (c == '=' && p + 1 < mEnd && p[1] == '>')
        return false;
    return !afterBlanks || !OpensLineComment(p);
}

const char* LanguageLexer::StartPart(const char* delimiter)
{
    mQuoteNest = mQuoteClose = *delimiter;
    const std::string& pairs = mForm->mPairs;
    for (size_t i = 0; i < pairs.size(); i += 2)
    {
        if (pairs[i] == *delimiter)
            mQuoteClose = pairs[i + 1];
    }
    mDepth = 1;
    return delimiter + 1;
}

bool LanguageLexer::OpensLineComment(const char* p) const
{
    return std::any_of(mLanguage->mForms.begin(), mLanguage->mForms.end(),
                       [&](const Form& form) {
                           return form.mKind == Form::Kind::LINE &&
                                  Match(p, form.mOpen, form.mNoCase) > 0;
                       });
}

// The marker, a word of its own, is code; the rest of its line and of the file is comment.
const char* LanguageLexer::OpenEnd(const Form& form, const char* p, const char* after)
{
    if (Language::StartsWord(form) && Text::IsWordByte(ByteBefore(p)))
        return nullptr;
    mLine_Code = true;
    mState = State::LINE_COMMENT;
    mForm = &form;
    SetZone(after, ZONE_COMMENT);
    return after;
}

// A doc string's place is that of its prefix, if it has one: r"""...""".
bool LanguageLexer::PlaceAllows(const Form& form, const char* p, size_t length) const
{
    const char* prefix = form.mKind == Form::Kind::DOC ? PrefixBefore(form, p) : nullptr;
    if (!PositionAllows(form.mPlace, prefix != nullptr ? prefix : p))
        return false;
    const char before = ByteBefore(p);
    const char* after = p + length;
    if (form.mWord && after < mEnd && !IsSpace(*after))
        return false;
    if (form.mBoundary && !EndsShellWord(before))
        return false;
    if (form.mAfterBlank && !IsSpace(before))
        return false;
    if (after < mEnd && form.mNotBefore[static_cast<unsigned char>(*after)])
        return false;
    if (form.mNotAfterNumber && after < mEnd && Text::IsWordByte(*after) && AfterNumber(p))
        return false;
    if (!form.mFollows.empty() && !Follows(form, p))
        return false;
    return !form.mNotAfter[static_cast<unsigned char>(before)] || PrefixBefore(form, p) != nullptr;
}

// One of the form's words ends the text before `p` on its line, past blanks; a word that
// starts with a word byte starts a word there.
bool LanguageLexer::Follows(const Form& form, const char* p) const
{
    const char* end = p;
    while (end > mBegin && Text::IsBlank(end[-1]))
        end--;
    const std::string_view before(mBegin, static_cast<size_t>(end - mBegin));
    for (const std::string& word : form.mFollows)
    {
        if (!before.ends_with(word))
            continue;
        const size_t start = before.size() - word.size();
        if (!Text::IsWordByte(word[0]) || start == 0 || !Text::IsWordByte(before[start - 1]))
            return true;
    }
    return false;
}

char LanguageLexer::ByteBefore(const char* p) const
{
    // A byte-order mark does not stand before the first token of the file.
    return p > mLineStart ? p[-1] : (mPieceStartsLine ? '\n' : mLastByte);
}

bool LanguageLexer::PositionAllows(Form::Place place, const char* p) const
{
    switch (place)
    {
    case Form::Place::ANYWHERE:
        return true;
    case Form::Place::LINE_START:
        return OnlyBlanksBefore(p);
    case Form::Place::COLUMN_1:
        return p == mLineStart && mPieceStartsLine;
    case Form::Place::FILE_START:
        return p == mLineStart && mPieceStartsLine && mLineNumber == 0;
    case Form::Place::STATEMENT_START:
        return OnlyBlanksBefore(p) && mBrackets == 0 && !mInDirective;
    }
    return false;
}

// A word from the form's prefixes may stand right before the open: u8R"(...)", L'x'.
const char* LanguageLexer::PrefixBefore(const Form& form, const char* p) const
{
    for (const std::string& prefix : form.mPrefixes)
    {
        if (static_cast<size_t>(p - mBegin) < prefix.size())
            continue;
        const char* start = p - prefix.size();
        if (TrovLib::Ascii::EqualFolded(start, prefix.c_str(), prefix.size()) &&
            (start == mBegin || !Text::IsWordByte(start[-1])))
            return start;
    }
    return nullptr;
}

// A number runs over word bytes, dots and separators from a digit: 1'000, 0xFF'FF, .5'0.
// A quote inside one, before a word byte, separates digits; after any other word, or
// before any other byte, it opens a literal, as a compiler reads x'a' and 1'/'.
bool LanguageLexer::AfterNumber(const char* p) const
{
    const char* start = p;
    while (start > mBegin && (Text::IsWordByte(start[-1]) || start[-1] == '\'' || start[-1] == '.'))
        start--;
    if (start < p && *start == '.')
        start++;
    return start < p && *start >= '0' && *start <= '9';
}

bool LanguageLexer::OnlyBlanksBefore(const char* p) const
{
    if (!mPieceStartsLine && mLineHadContent)
        return false;
    return std::all_of(mLineStart, p, IsSpace);
}

size_t LanguageLexer::Match(const char* p, std::string_view text, bool noCase) const
{
    if (text.empty() || static_cast<size_t>(mEnd - p) < text.size())
        return 0;
    if (noCase)
        return TrovLib::Ascii::EqualFolded(p, text.data(), text.size()) ? text.size() : 0;
    // Tokens are a few bytes long: a loop beats a call.
    for (size_t i = 0; i < text.size(); i++)
    {
        if (p[i] != text[i])
            return 0;
    }
    return text.size();
}

size_t LanguageLexer::MatchClose(const char* p) const
{
    const Form& form = *mForm;
    if (!form.mCaptures)
        return Match(p, form.mClose, form.mNoCase);
    size_t length = form.mClose.size();
    if (!form.mClose.empty() && Match(p, form.mClose, form.mNoCase) == 0)
        return 0;
    if (static_cast<size_t>(mEnd - p) < length + mDelimiter.size() ||
        std::memcmp(p + length, mDelimiter.data(), mDelimiter.size()) != 0)
        return 0;
    length += mDelimiter.size();
    if (form.mCloseTail.empty())
        return length;
    const size_t tail = Match(p + length, form.mCloseTail, form.mNoCase);
    return tail > 0 ? length + tail : 0;
}

// One code point, or one escape sequence, then the close: 'a', '\n', '\x41', '\u{1F600}'.
bool LanguageLexer::IsOneCharacter(const Form& form, const char* inside) const
{
    if (inside >= mEnd)
        return false;
    const auto byte = static_cast<unsigned char>(*inside);
    if (form.mEscapes[byte])
    {
        for (const char* q = inside + 2; q < mEnd && q <= inside + 12; q++)
        {
            if (Match(q, form.mClose, false) > 0)
                return true;
        }
        return false;
    }
    if (Match(inside, form.mClose, false) > 0)
        return false;
    const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return static_cast<size_t>(mEnd - inside) > length &&
           Match(inside + length, form.mClose, false) > 0;
}

// A name, a number or a query at `p` in a condition; names go to the census.
const char* LanguageLexer::ReadCensus(const char* p)
{
    const char* end = p;
    if (*p >= '0' && *p <= '9')
    {
        while (end < mEnd && (Text::IsWordByte(*end) || *end == '.' || *end == '\''))
            end++;
        mLine_Code = true;
        return end;
    }
    while (end < mEnd && Text::IsWordByte(*end))
        end++;
    mLine_Code = true;
    const std::string_view name(p, static_cast<size_t>(end - p));
    if (IsOneOf(name, QUERIES))
        return SkipArgument(end);
    if (!IsOneOf(name, NOT_MACROS))
        mNames.push_back(name);
    return end;
}

// The parenthesised argument of a query, up to its matching close.
const char* LanguageLexer::SkipArgument(const char* p)
{
    while (p < mEnd && (*p == ' ' || *p == '\t'))
        p++;
    if (p == mEnd || *p != '(')
        return p;
    int depth = 0;
    for (; p < mEnd; p++)
    {
        depth += *p == '(' ? 1 : *p == ')' ? -1 : 0;
        if (depth == 0)
            return p + 1;
    }
    return p;
}

bool LanguageLexer::EndsWithBackslash() const
{
    const char* p = mEnd;
    if (p > mBegin && p[-1] == '\n')
        p--;
    if (p > mBegin && p[-1] == '\r')
        p--;
    return p > mBegin && p[-1] == '\\';
}

void LanguageLexer::EndLine()
{
    const bool backslash = EndsWithBackslash();
    const bool commentContinues =
        mForm != nullptr && (mForm->mKind == Form::Kind::END || (mForm->mContinues && backslash));
    if (mState == State::LINE_COMMENT && !commentContinues)
        mState = State::CODE;
    else if (mState == State::STRING && !mForm->mMultiLine && !(mEscapedEnd && mForm->mContinues))
        mState = State::CODE;
    mEscapedEnd = false;
    if (mInDirective && mState == State::CODE && !(mDirective->mContinues && backslash))
        mInDirective = mInCondition = false;
    if (mState == State::HEREDOC && mHeredocAt == mHeredocCount)
    {
        mState = State::CODE;
        mHeredocCount = mHeredocAt = 0;
    }
    else if (mState == State::CODE && mHeredocCount > 0)
    {
        mState = State::HEREDOC;
        mHeredocAt = 0;
    }
    if (mState == State::CODE)
        mForm = nullptr;
    mLineNumber++;
}

uint8_t LanguageLexer::StateZone() const
{
    switch (mState)
    {
    case State::CODE:
        return CodeZone();
    case State::LINE_COMMENT:
    case State::BLOCK:
        return ZONE_COMMENT;
    case State::DOC:
        return mForm->mDocIsComment ? ZONE_COMMENT : ZONE_STRING;
    default:
        return ZONE_STRING;
    }
}

void LanguageLexer::RecordZone(const char* p, uint8_t zone)
{
    const auto offset = static_cast<size_t>(p - mBegin);
    if (!mZones.empty() && mZones.back().mOffset == offset)
        mZones.back().mZone = zone;
    else if (mZones.empty() || mZones.back().mZone != zone)
        mZones.push_back({offset, zone});
}

} // namespace Vn
