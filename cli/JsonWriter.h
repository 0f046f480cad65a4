#pragma once

#include <rapidjson/writer.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace VarnikCli
{

// Writes one compact JSON document to a stream as it goes, without building it first,
// so that a large answer costs no more memory than its text report. Texts are made valid
// UTF-8 and escaped as nlohmann-json escapes them, so the bytes are those of
// nlohmann::json::dump() for the same document. Not shared between threads.
class JsonWriter
{
public:
    explicit JsonWriter(std::ostream& out);

    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void StartObject() { mWriter.StartObject(); }
    void EndObject() { mWriter.EndObject(); }
    void StartArray() { mWriter.StartArray(); }
    void EndArray() { mWriter.EndArray(); }
    // A key of the report's own, plain ASCII.
    void Key(const char* key) { mWriter.Key(key); }
    void String(std::string_view text);
    // A name from the tree under `key`. A name that is not valid UTF-8 is written with
    // U+FFFD in place of its stray bytes and, under `hexKey`, as the hexadecimal digits
    // of all its bytes, so that a reader gets the exact name back.
    void Name(const char* key, const char* hexKey, std::string_view name);
    // Every count is written in 64 bits.
    void Uint64(uint64_t value) { mWriter.Uint64(value); }
    void Int64(int64_t value) { mWriter.Int64(value); }
    void Double(double value) { mWriter.Double(value); }
    void Bool(bool value) { mWriter.Bool(value); }
    void Null() { mWriter.Null(); }
    // Ends the document with a line feed and hands what is buffered to the stream.
    void Finish();

private:
    // rapidjson's output stream concept over a std::ostream, written in large pieces.
    struct Buffer
    {
        using Ch = char;
        explicit Buffer(std::ostream& out) : mOut(out) {}
        std::ostream& mOut;
        size_t mSize = 0;
        char mData[1 << 16];
        void Put(char c)
        {
            if (mSize == sizeof mData)
                Flush();
            mData[mSize++] = c;
        }
        void Flush();
    };

    std::unique_ptr<Buffer> mBuffer;
    rapidjson::Writer<Buffer> mWriter;
    std::string mEscaped; // reused for each string
};

} // namespace VarnikCli
