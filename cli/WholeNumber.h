#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <limits>

namespace VarnikCli
{

// Checks a numeric option as typed, before CLI11 converts it: only decimal digits, within
// [min, max]. The message names the bounds in words, so that "-1" is never taken as a huge
// number and "0" is never answered with the range of a double.
CLI::Validator WholeNumber(uint64_t min, uint64_t max = std::numeric_limits<uint64_t>::max());

} // namespace VarnikCli
