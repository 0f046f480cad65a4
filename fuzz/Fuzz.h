#pragma once

// What the fuzz targets share: reading an input as fields, and stopping on a broken
// property so that libFuzzer keeps the input (and a replay of the seeds fails).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace VarnikFuzz
{

inline void Require(bool holds, const char* property)
{
    if (!holds)
    {
        std::fprintf(stderr, "broken: %s\n", property);
        std::abort();
    }
}

// The input taken from the front: single bytes, then runs of bytes, then the rest.
class Input
{
public:
    Input(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

    uint8_t Byte() { return mSize == 0 ? 0 : (mSize--, *mData++); }

    std::string Take(size_t length)
    {
        length = length < mSize ? length : mSize;
        std::string bytes(reinterpret_cast<const char*>(mData), length);
        mData += length;
        mSize -= length;
        return bytes;
    }

    std::string Rest() { return Take(mSize); }

    // The rest repeated as the next byte says, so that small inputs also make files
    // past the readers' block and whole-file sizes; up to about 1.1 MB.
    std::string RepeatedRest()
    {
        static constexpr size_t REPEATS[] = {1, 1, 1, 1, 2, 3, 17, 300};
        static constexpr size_t MAX_SIZE = 1100 * 1024;
        const size_t repeats = REPEATS[Byte() % 8];
        const std::string piece = Rest();
        std::string text;
        for (size_t i = 0; i < repeats && text.size() + piece.size() <= MAX_SIZE; i++)
            text += piece;
        return text;
    }

private:
    const uint8_t* mData;
    size_t mSize;
};

// The pieces of a file as a 4,096-byte fgets loop reads them, which is what the engine's
// line reader must hand out.
inline std::vector<std::string> ReadWithFgets(const std::string& path)
{
    std::vector<std::string> pieces;
    FILE* file = std::fopen(path.c_str(), "rb");
    char buffer[4096];
    while (file != nullptr && std::fgets(buffer, sizeof buffer, file) != nullptr)
        pieces.emplace_back(buffer);
    if (file != nullptr)
        std::fclose(file);
    return pieces;
}

} // namespace VarnikFuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
