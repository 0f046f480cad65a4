// Runs a fuzz target over the files given, or over the files of the folders given, once
// each: the seeds become a test in builds without libFuzzer.

#include "Fuzz.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{

void RunFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    size_t runs = 0;
    for (int i = 1; i < argc; i++)
    {
        if (!std::filesystem::is_directory(argv[i]))
        {
            RunFile(argv[i]);
            runs++;
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
        {
            RunFile(entry.path());
            runs++;
        }
    }
    std::printf("%zu inputs\n", runs);
    return runs == 0 ? 1 : 0;
}
