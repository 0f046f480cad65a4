#pragma once

// What the fuzz targets share: reading an input as fields, and stopping on a broken
// property so that libFuzzer keeps the input (and a replay of the seeds fails).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace VarnikFuzz
{

inline void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", property);
    std::abort();
}

// The input taken from the front: single bytes, then runs of bytes, then the rest.
class Input
{
public:
    Input(const uint8_t* data, size_t size) : mRest(reinterpret_cast<const char*>(data), size) {}

    std::string Take(size_t length)
    {
        std::string bytes(mRest.substr(0, length));
        mRest.remove_prefix(bytes.size());
        return bytes;
    }
    uint8_t Byte() { return static_cast<uint8_t>(Take(1).c_str()[0]); }
    std::string Rest() { return Take(mRest.size()); }

    // The rest repeated as the next byte says, so that small inputs also make files
    // past the readers' block and whole-file sizes; up to about 1.1 MB.
    std::string RepeatedRest()
    {
        static constexpr size_t REPEATS[] = {1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 3, 3, 17, 17, 64, 300};
        static constexpr size_t MAX_SIZE = 1100 * 1024;
        const size_t repeats = REPEATS[Byte() % 16];
        const std::string piece = Rest();
        std::string text;
        for (size_t i = 0; i < repeats && text.size() + piece.size() <= MAX_SIZE; i++)
            text += piece;
        return text;
    }

private:
    std::string_view mRest;
};

// The pieces of a file as a 4,096-byte fgets loop reads them, which is what the engine's
// line reader must hand out.
inline std::vector<std::string> ReadWithFgets(const std::string& path)
{
    std::vector<std::string> pieces;
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    char buffer[4096];
    while (file && std::fgets(buffer, sizeof buffer, file.get()) != nullptr)
        pieces.emplace_back(buffer);
    return pieces;
}

} // namespace VarnikFuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
