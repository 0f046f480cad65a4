#pragma once

#include <string>

namespace VarnikCli
{

// The texts of `words` in order, with `between` between each two.
template <class Words> std::string Joined(const Words& words, const std::string& between)
{
    std::string joined;
    for (const auto& word : words)
        joined += (joined.empty() ? "" : between) + word;
    return joined;
}

} // namespace VarnikCli
