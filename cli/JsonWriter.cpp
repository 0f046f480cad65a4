#include "cli/JsonWriter.h"

#include "cli/Utf8.h"

#include <algorithm>

namespace VarnikCli
{
namespace
{

constexpr char HEX[] = "0123456789abcdef";

// The text as a JSON string, quotes included, escaped as nlohmann-json does: the short
// escapes where JSON has one, "\u00xx" in lower case for the other control characters,
// and everything else as it is.
void AppendEscaped(std::string& json, std::string_view text)
{
    json += '"';
    for (const char c : text)
    {
        switch (c)
        {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\b':
            json += "\\b";
            break;
        case '\f':
            json += "\\f";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
            {
                json += "\\u00";
                json += HEX[c >> 4];
                json += HEX[c & 0xF];
            }
            else
            {
                json += c;
            }
        }
    }
    json += '"';
}

} // namespace

void JsonWriter::Buffer::Flush()
{
    mOut.write(mData, static_cast<std::streamsize>(mSize));
    mSize = 0;
}

JsonWriter::JsonWriter(std::ostream& out)
    : mBuffer(std::make_unique<Buffer>(out)), mWriter(*mBuffer)
{
}

void JsonWriter::Finish()
{
    mBuffer->Put('\n');
    mBuffer->Flush();
}

void JsonWriter::String(std::string_view text)
{
    mEscaped.clear();
    // Most names are plain ASCII, which needs no check for UTF-8.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        AppendEscaped(mEscaped, text);
    else
        AppendEscaped(mEscaped, ToValidUtf8(text));
    mWriter.RawValue(mEscaped.data(), mEscaped.size(), rapidjson::kStringType);
}

void JsonWriter::Name(const char* key, const char* hexKey, std::string_view name)
{
    Key(key);
    String(name);
    if (IsValidUtf8(name))
        return;
    std::string hex;
    for (const char c : name)
    {
        hex += HEX[static_cast<unsigned char>(c) >> 4];
        hex += HEX[c & 0xF];
    }
    Key(hexKey);
    String(hex);
}

} // namespace VarnikCli
