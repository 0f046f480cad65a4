// The UTF-8 repair against the JSON library's own decoder: whatever comes out is
// accepted, valid text comes out unchanged, and a repaired text needs no more repair.

#include "Fuzz.h"
#include "cli/Utf8.h"

#include <nlohmann/json.hpp>

namespace
{

// The JSON library's decoder: dropping and replacing ill-formed bytes agree only when
// there are none.
bool AcceptedByJson(const std::string& text)
{
    using nlohmann::json;
    return json(text).dump(-1, ' ', false, json::error_handler_t::ignore) ==
           json(text).dump(-1, ' ', false, json::error_handler_t::replace);
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
