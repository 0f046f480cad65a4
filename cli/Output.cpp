#include "cli/Output.h"

#include "lib/Format.h"

namespace VarnikCli
{
namespace
{

// The escape of a control character, or null for a byte that may be shown. A tab only
// moves the cursor, so it stays.
const char* Escape(unsigned char byte)
{
    switch (byte)
    {
    case '\t':
        return nullptr;
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    default:
        return byte < 0x20 || byte == 0x7F ? "" : nullptr;
    }
}

// C1 controls in UTF-8 (U+0080 to U+009F) start with 0xC2; some terminals obey them.
bool IsC1Control(std::string_view text, size_t at)
{
    return static_cast<unsigned char>(text[at]) == 0xC2 && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[at + 1]) <= 0x9F;
}

} // namespace

Output& Output::Text(std::string_view text)
{
    if (!mTerminal)
    {
        mStream << text;
        return *this;
    }
    size_t shown = 0; // bytes of `text` already written
    for (size_t at = 0; at < text.size(); ++at)
    {
        const auto byte = static_cast<unsigned char>(text[at]);
        const char* escape = Escape(byte);
        const size_t length = escape ? 1 : IsC1Control(text, at) ? 2 : 0;
        if (length == 0)
            continue;
        mStream << text.substr(shown, at - shown);
        for (size_t i = 0; i < length; ++i)
        {
            const auto escaped = static_cast<unsigned char>(text[at + i]);
            mStream << (escape && *escape ? escape : TrovLib::Format("\\x%02x", escaped).c_str());
        }
        at += length - 1;
        shown = at + 1;
    }
    mStream << text.substr(shown);
    return *this;
}

} // namespace VarnikCli
