#include "cli/WholeNumber.h"

#include "lib/Format.h"

#include <charconv>

namespace VarnikCli
{

CLI::Validator WholeNumber(uint64_t min, uint64_t max)
{
    const std::string bounds =
        max == std::numeric_limits<uint64_t>::max()
            ? TrovLib::Format("a whole number of at least %llu", (unsigned long long)min)
            : TrovLib::Format("a whole number from %llu to %llu", (unsigned long long)min,
                              (unsigned long long)max);
    return CLI::Validator(
        [bounds, min, max](const std::string& text)
        {
            uint64_t value = 0;
            const char* end = text.data() + text.size();
            const auto [stop, error] = std::from_chars(text.data(), end, value);
            const bool whole = !text.empty() && error == std::errc() && stop == end;
            return whole && value >= min && value <= max
                       ? std::string()
                       : TrovLib::Format("expected %s, not \"%s\"", bounds.c_str(), text.c_str());
        },
        "");
}

} // namespace VarnikCli
