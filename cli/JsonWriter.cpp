#include "cli/JsonWriter.h"

#include "cli/Utf8.h"

namespace VarnikCli
{
namespace
{

constexpr size_t BUFFER_SIZE = 1 << 16;

// The text as a JSON string, quotes included, escaped as nlohmann-json does: the short
// escapes where JSON has one, "\u00xx" in lower case for the other control characters,
// and everything else as it is.
void AppendEscaped(std::string& json, std::string_view text)
{
    static constexpr char HEX[] = "0123456789abcdef";
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

void JsonWriter::Buffer::Put(char c)
{
    mText += c;
    if (mText.size() >= BUFFER_SIZE)
        Flush();
}

void JsonWriter::Buffer::Flush()
{
    mOut.write(mText.data(), static_cast<std::streamsize>(mText.size()));
    mText.clear();
}

JsonWriter::JsonWriter(std::ostream& out) : mBuffer{out, {}}, mWriter(mBuffer)
{
    mBuffer.mText.reserve(BUFFER_SIZE);
}

void JsonWriter::Finish()
{
    mBuffer.Put('\n');
    mBuffer.Flush();
}

void JsonWriter::String(std::string_view text)
{
    mEscaped.clear();
    AppendEscaped(mEscaped, ToValidUtf8(text));
    mWriter.RawValue(mEscaped.data(), mEscaped.size(), rapidjson::kStringType);
}

} // namespace VarnikCli
