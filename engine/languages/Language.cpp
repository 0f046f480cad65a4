#include "engine/languages/Language.h"

#include "engine/languages/LanguageText.h"
#include "lib/Ascii.h"

#include <algorithm>

namespace Vn
{

void Language::Compile()
{
    for (auto& openers : mOpeners)
        openers.clear();
    mStarts = ByteFinder();
    for (size_t i = 0; i < mForms.size(); i++)
    {
        Language_Form& form = mForms[i];
        MakeStops(form);
        const char first = form.mOpen[0];
        for (char c : {first, form.mNoCase ? TrovLib::Ascii::OtherCase(first) : first})
        {
            auto& openers = mOpeners[static_cast<unsigned char>(c)];
            if (std::find(openers.begin(), openers.end(), i) == openers.end())
                openers.push_back(static_cast<uint16_t>(i));
            mStarts.Add(c);
        }
        mTracksDepth = mTracksDepth || form.mKind == Language_Form::Kind::DOC;
        mHasDirectives = mHasDirectives || form.mKind == Language_Form::Kind::DIRECTIVE;
    }
    // The longest open is tried first, so that """ wins over " where both match.
    for (auto& openers : mOpeners)
        std::stable_sort(openers.begin(), openers.end(),
                         [this](uint16_t a, uint16_t b)
                         {
                             return mForms[a].mOpen.size() + mForms[a].mOpenTail.size() >
                                    mForms[b].mOpen.size() + mForms[b].mOpenTail.size();
                         });
    for (size_t c = 0; c < mOpeners.size(); c++)
        mWordStarts[c] = !mOpeners[c].empty() &&
                         std::all_of(mOpeners[c].begin(), mOpeners[c].end(),
                                     [this](uint16_t i) { return StartsWord(mForms[i]); });
    if (mTracksDepth)
    {
        for (char c : {'(', ')', '[', ']', '{', '}'})
            mStarts.Add(c);
    }
}

// Inside a string, only an escape or the first byte of the close can change anything.
void Language::MakeStops(Language_Form& form)
{
    form.mStops = ByteFinder();
    if (form.mKind != Language_Form::Kind::STRING && form.mKind != Language_Form::Kind::DOC)
        return;
    for (size_t c = 0; c < form.mEscapes.size(); c++)
    {
        if (form.mEscapes[c])
            form.mStops.Add(static_cast<char>(c));
    }
    form.mStops.Add(form.mClose[0]);
}

bool Language::StartsWord(const Language_Form& form)
{
    return (form.mKind == Language_Form::Kind::QUOTE || form.mKind == Language_Form::Kind::END) &&
           Text::IsWordByte(form.mOpen[0]);
}

} // namespace Vn
