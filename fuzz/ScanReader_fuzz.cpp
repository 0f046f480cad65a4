// The scan reader against the JSON library's parser: what the reader takes is JSON, and a
// scan that it took, written again and read back, writes the same bytes. Whatever it
// refuses, it refuses with a message, never with a crash.

#include "Fuzz.h"
#include "TempTree.h"
#include "cli/JsonReport.h"
#include "cli/ScanReader.h"

#include <nlohmann/json.hpp>

#include <sstream>
#include <stdexcept>

namespace
{

// The scan as scan --json writes it, or nothing when the reader refuses it.
std::optional<std::string> Rewritten(const std::string& path)
{
    try
    {
        const VarnikCli::ScanFile scan = VarnikCli::ReadScanFile(path);
        std::ostringstream json;
        VarnikCli::JsonReport::WriteScan(
            json, *scan.mRoot,
            scan.mHeader.value_or(VarnikCli::ScanHeader{"0", "scan", "/r", "classic", {}}));
        return json.str();
    }
    catch (const std::runtime_error& error)
    {
        VarnikFuzz::Require(std::string(error.what()).starts_with(path + ": "),
                            "a refusal names the file");
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using VarnikFuzz::Require;
    static VarnikTest::TempTree tree;
    const std::string input(reinterpret_cast<const char*>(data), size);
    tree.File("scan.json", input);
    const std::optional<std::string> written = Rewritten(tree.Path("scan.json"));
    if (!written)
        return 0;
    Require(nlohmann::json::accept(input), "what the reader takes is JSON");
    tree.File("scan.json", *written);
    Require(Rewritten(tree.Path("scan.json")) == written, "a scan read and written stays the same");
    return 0;
}
