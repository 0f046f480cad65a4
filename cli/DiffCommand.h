#pragma once

#include "cli/Console.h"
#include "cli/EnginePass.h"
#include "cli/ScanReader.h"

#include <memory>
#include <string>

namespace VarnikCli
{

// `diff OLD NEW`: compares two scans, each a folder to scan or a file that `scan --json`
// wrote, and prints the files that changed, or with --folders the changes of each folder.
// Exits with 0 when nothing changed and 1 when something did. A file side is read as the
// comparison goes, so that only one scan is ever whole in memory. Not shared between
// threads.
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
    bool mFolders = false;
    std::string mFormat = "text";
};

} // namespace VarnikCli
