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

// `merge SCAN.json...`: one report of several trees (see ScanMerge), each a top-level
// folder named after its root's last component, or NAME in NAME=SCAN.json. Each file is
// read twice as it streams by (its totals first, then its nodes), so no tree is ever
// whole in memory. Not shared between threads.
class MergeCommand
{
public:
    explicit MergeCommand(CLI::App& cli);

    bool Parsed() const;
    int Run(Console& console) const;

private:
    CLI::App* mCommand;
    std::vector<std::string> mScans;
    bool mJson = false;
};

} // namespace VarnikCli
