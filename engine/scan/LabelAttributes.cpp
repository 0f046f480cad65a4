#include "engine/scan/LabelAttributes.h"

#include "engine/languages/LanguageText.h"

#include <string>

namespace Vn
{

namespace
{

constexpr std::pair<std::string_view, Label> ATTRIBUTES[] = {
    {"linguist-generated", Label::GENERATED},
    {"linguist-vendored", Label::VENDORED},
    {"linguist-documentation", Label::DOCUMENTATION},
};

// Whether the attribute is set (true) or unset (false); nothing for another attribute, or
// a value that is neither.
std::optional<bool> StateOf(std::string_view attribute, std::string_view name)
{
    const bool unset = attribute.starts_with('-');
    attribute.remove_prefix(unset ? 1 : 0);
    if (!attribute.starts_with(name))
        return std::nullopt;
    const std::string_view value = attribute.substr(name.size());
    if (value.empty())
        return !unset;
    if (unset)
        return std::nullopt;
    if (value == "=true")
        return true;
    if (value == "=false")
        return false;
    return std::nullopt;
}

} // namespace

LabelAttributes::LabelAttributes(const LabelAttributes* parent, const char* folder)
{
    for (size_t i = 0; i < std::size(ATTRIBUTES); i++)
    {
        const TrovLib::IgnoreList* above =
            parent != nullptr ? parent->mAttributes[i].mList.get() : nullptr;
        mAttributes.push_back(
            {ATTRIBUTES[i].second, std::make_unique<TrovLib::IgnoreList_Git>(above, folder)});
    }
}

void LabelAttributes::ReadFromText(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty())
    {
        const size_t feed = std::min(text.find('\n'), text.size());
        ReadLine(text.substr(0, feed));
        text.remove_prefix(std::min(text.size(), feed + 1));
    }
}

// Negative patterns are refused by git, and quoted ones are left out.
void LabelAttributes::ReadLine(std::string_view line)
{
    const std::vector<std::string_view> words = Text::Split(line);
    if (words.size() < 2 || words[0].starts_with('#') || words[0].starts_with('!') ||
        words[0].starts_with('"'))
        return;
    for (size_t i = 0; i < std::size(ATTRIBUTES); i++)
    {
        for (size_t word = 1; word < words.size(); word++)
        {
            if (const std::optional<bool> set = StateOf(words[word], ATTRIBUTES[i].first))
                mAttributes[i].mList->ReadFromText((*set ? "" : "!") + std::string(words[0]));
        }
    }
}

void LabelAttributes::Apply(const char* path, LabelHints& hints) const
{
    for (const Attribute& attribute : mAttributes)
    {
        if (const std::optional<bool> set = attribute.mList->FileVerdict(path))
            (*set ? hints.mSet : hints.mUnset) |= Bit(attribute.mLabel);
    }
}

} // namespace Vn
