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

// `explain PATH...`: says for each file which language the table gives it and the rule
// that decided, so that a surprising count can be traced. Not shared between threads.
class ExplainCommand
{
public:
    explicit ExplainCommand(CLI::App& cli);

    bool Parsed() const;
    int Run(Console& console) const;

private:
    CLI::App* mCommand;
    std::vector<std::string> mPaths;
    std::vector<std::string> mLanguageFiles;
};

} // namespace VarnikCli
