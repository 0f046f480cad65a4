// The UTF-8 repair against the JSON library's own decoder: whatever comes out is
// accepted, valid text comes out unchanged, and a repaired text needs no more repair.

#include "Fuzz.h"
#include "cli/Utf8.h"

#include <nlohmann/json.hpp>

namespace
{

bool AcceptedByJson(const std::string& text)
{
    try
    {
        (void)nlohmann::json(text).dump();
        return true;
    }
    catch (const nlohmann::json::type_error&)
    {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using VarnikFuzz::Require;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string repaired = VarnikCli::ToValidUtf8(input);
    Require(AcceptedByJson(repaired), "the repaired text is valid UTF-8");
    Require(!AcceptedByJson(input) || repaired == input, "valid text is kept as it is");
    Require(VarnikCli::ToValidUtf8(repaired) == repaired, "a repaired text needs no repair");
    return 0;
}
