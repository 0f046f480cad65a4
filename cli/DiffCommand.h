#pragma once

#include "cli/Console.h"
#include "cli/EnginePass.h"
#include "cli/ScanReader.h"

#include <memory>
#include <string>

namespace VarnikCli
{

// `diff OLD NEW`: compares two scans, each a folder to scan or a file that `scan --json`
// wrote, and prints what changed. Exits with 0 when nothing did and 1 when something did.
// Not shared between threads.
class DiffCommand
{
public:
    static constexpr int EXIT_CHANGED = 1;

    explicit DiffCommand(CLI::App& cli);

    bool Parsed() const;
    int Run(Console& console) const;

private:
    ScanFile Load(const std::string& side, Console& console) const;

    CLI::App* mCommand;
    EnginePass mPass;
    std::string mOld;
    std::string mNew;
    bool mJson = false;
};

} // namespace VarnikCli
