#pragma once

#include "cli/Console.h"

#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace VarnikCli
{

// `languages`: lists the language table (the built-in rows, then the user's) with the
// names, extensions and interpreters that select each row and whether a reviewed sample
// backs it. Not shared between threads.
class LanguagesCommand
{
public:
    explicit LanguagesCommand(CLI::App& cli);

    bool Parsed() const;
    int Run(Console& console) const;

private:
    CLI::App* mCommand;
    std::vector<std::string> mLanguageFiles;
    std::string mFormat = "text";
};

} // namespace VarnikCli
