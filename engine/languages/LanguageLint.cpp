#include "engine/languages/LanguageLint.h"

#include "engine/languages/LanguageLexer.h"
#include "engine/languages/LanguageTable.h"

#include <map>
#include <set>

namespace Vn
{

namespace
{

using Form = Language_Form;

bool IsComment(const Form& form)
{
    return form.mKind == Form::Kind::LINE || form.mKind == Form::Kind::BLOCK;
}

bool IsString(const Form& form)
{
    return form.mKind == Form::Kind::STRING || form.mKind == Form::Kind::RAW ||
           form.mKind == Form::Kind::QUOTE;
}

// The form with " a " inside, after the first word it must follow: for a quote-like
// operator s( a )( a ) with the first of its bracket pairs, s/ a / a / without one, and
// =~ / a / for a bare one.
std::string Pair(const Form& form)
{
    if (form.mKind != Form::Kind::QUOTE)
        return form.mOpen + form.mOpenTail + " a " + form.mClose + form.mCloseTail;
    const bool brackets = !form.mPairs.empty() && !form.mBare;
    const std::string open = form.mBare ? "" : brackets ? form.mPairs.substr(0, 1) : "/";
    const std::string close = form.mBare ? form.mOpen : brackets ? form.mPairs.substr(1, 1) : "/";
    std::string pair = form.mFollows.empty() ? "" : form.mFollows.front() + " ";
    pair += form.mOpen + open + " a " + close;
    if (form.mParts == 2)
        pair += (brackets ? open : "") + " a " + close;
    return pair;
}

LanguageLexer::LineClass ClassOf(LanguageLexer& lexer, const std::string& line)
{
    lexer.Feed(line.data(), line.data() + line.size(), true);
    return lexer.GetClass();
}

// "x OPEN a CLOSE" must read as code and leave the machine in code, so that a following
// line comment reads as comment: a swapped pair or an opener that never closes fails.
bool RoundTrips(const Language& language, const Form& form, const Form& lineComment)
{
    if (form.mPlace != Form::Place::ANYWHERE || form.mClosePlace != Form::Place::ANYWHERE ||
        form.mOne || form.mKind == Form::Kind::HEREDOC || form.mKind == Form::Kind::DIRECTIVE ||
        form.mKind == Form::Kind::LINE || form.mKind == Form::Kind::END ||
        (!form.mNotAfter.none() && form.mKind != Form::Kind::QUOTE))
        return true;
    LanguageLexer lexer;
    lexer.Begin(language, false);
    return ClassOf(lexer, "x " + Pair(form) + " \n") == LanguageLexer::LineClass::CODE &&
           ClassOf(lexer, lineComment.mOpen + " c\n") == LanguageLexer::LineClass::COMMENT &&
           !lexer.End();
}

void LintRow(const Language& language, std::vector<std::string>& faults)
{
    const auto fault = [&](const std::string& what)
    { faults.push_back(language.mId + ": " + what); };
    if (language.mCite.empty())
        fault("no cite");
    if (language.mStatus == Language::Status::VERIFIED && language.mSample.empty())
        fault("verified without a sample");
    bool hasBlock = false;
    bool hasString = language.mNoStrings;
    const Form* lineComment = nullptr;
    std::set<std::string> commentOpens;
    for (const Form& form : language.mForms)
    {
        hasBlock = hasBlock || form.mKind == Form::Kind::BLOCK;
        hasString = hasString || IsString(form) || form.mKind == Form::Kind::HEREDOC;
        if (form.mKind == Form::Kind::LINE && form.mPlace == Form::Place::ANYWHERE && !form.mWord &&
            !form.mBoundary && !form.mAfterBlank && !form.mNotAfter['\n'] && lineComment == nullptr)
            lineComment = &form;
        if (IsComment(form) && form.mPlace == Form::Place::ANYWHERE)
            commentOpens.insert(form.mOpen);
    }
    if (hasBlock && !hasString)
        fault("block comments but no string (say string = none)");
    for (const Form& form : language.mForms)
    {
        if (IsString(form) && form.mPlace == Form::Place::ANYWHERE &&
            commentOpens.count(form.mOpen) != 0)
            fault("\"" + form.mOpen + "\" opens both a comment and a string");
        if (lineComment != nullptr && !RoundTrips(language, form, *lineComment))
            fault("the pair \"" + form.mOpen + "\" \"" + form.mClose + "\" does not lex as a pair");
    }
}

} // namespace

std::vector<std::string> LintLanguages(const LanguageTable& table)
{
    std::vector<std::string> faults;
    std::map<std::string, std::vector<const Language*>> extensions;
    std::map<std::string, const Language*> interpreters;
    for (const auto& language : table.GetLanguages())
    {
        LintRow(*language, faults);
        for (const std::string& extension : language->mExtensions)
            extensions[extension].push_back(language.get());
        for (const std::string& interpreter : language->mInterpreters)
        {
            const auto [claimed, added] = interpreters.emplace(interpreter, language.get());
            if (!added)
                faults.push_back(language->mId + ": the interpreter " + interpreter + " is also " +
                                 claimed->second->mId + "'s");
        }
    }
    for (const auto& [extension, rows] : extensions)
    {
        if (rows.size() > 1 && table.GetGroups().count(extension) == 0)
            faults.push_back(rows[1]->mId + ": the extension ." + extension + " is also " +
                             rows[0]->mId + "'s, and no group settles it");
    }
    return faults;
}

} // namespace Vn
