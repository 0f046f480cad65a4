#include "Format.h"

#include <cstdarg>
#include <cstdio>

namespace TrovLib
{

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);

    std::string text;
    if (length > 0)
    {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    va_end(args);
    return text;
}

std::string EscapeControls(std::string_view text)
{
    std::string escaped;
    for (size_t at = 0; at < text.size(); at++)
    {
        const auto byte = static_cast<unsigned char>(text[at]);
        const bool c1 = byte == 0xC2 && at + 1 < text.size() &&
                        static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[at + 1]) <= 0x9F;
        if (byte == '\n')
            escaped += "\\n";
        else if (byte == '\r')
            escaped += "\\r";
        else if (byte == '\t')
            escaped += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            escaped += Format("\\x%02x", byte);
        else if (c1)
            escaped += Format("\\xc2\\x%02x", static_cast<unsigned char>(text[++at]));
        else
            escaped += text[at];
    }
    return escaped;
}

} // namespace TrovLib
