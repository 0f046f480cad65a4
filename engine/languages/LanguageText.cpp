#include "engine/languages/LanguageText.h"

#include "lib/Ascii.h"

#include <algorithm>
#include <numeric>

namespace Vn::Text
{

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    const auto isSeparator = [separator](char c)
    { return separator == ' ' ? IsBlank(c) || c == '\n' : c == separator; };
    size_t at = 0;
    while (at < text.size())
    {
        while (at < text.size() && isSeparator(text[at]))
            at++;
        size_t end = at;
        while (end < text.size() && !isSeparator(text[end]))
            end++;
        if (end > at)
            parts.push_back(Trim(text.substr(at, end - at)));
        at = end;
    }
    return parts;
}

std::string Folded(std::string_view text)
{
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), TrovLib::Ascii::Fold);
    return folded;
}

bool Decode(std::string_view token, std::string& bytes)
{
    bytes.clear();
    for (size_t i = 0; i < token.size(); i++)
    {
        if (token[i] != '%')
        {
            bytes += token[i];
            continue;
        }
        if (i + 2 >= token.size())
            return false;
        const auto hex = [](char c) -> int
        {
            if (c >= '0' && c <= '9')
                return c - '0';
            if (c >= 'A' && c <= 'F')
                return c - 'A' + 10;
            if (c >= 'a' && c <= 'f')
                return c - 'a' + 10;
            return -1;
        };
        const int high = hex(token[i + 1]);
        const int low = hex(token[i + 2]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), size_t{0});
    for (size_t i = 1; i <= a.size(); i++)
    {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); j++)
        {
            const size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace Vn::Text
