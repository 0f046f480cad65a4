#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace VarnikCli
{

struct Misspelling
{
    std::string mMessage; // empty when every command and option word is known
    bool mSuggests = false;
};

// When a command line failed to parse: the first word that names no command or option,
// with the nearest names that do ("unknown option \"--tabel\" (did you mean --table?)").
Misspelling DescribeMisspelling(const CLI::App& cli, int argc, const char* const* argv);

} // namespace VarnikCli
