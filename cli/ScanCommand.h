#pragma once

#include "cli/Console.h"
#include "cli/EnginePass.h"

#include <string>

namespace VarnikCli
{

// `scan ROOT`: counts the files and lines of a tree and prints the counter tree, its
// JSON, a table per type, file or folder, or the ranked census of "#if" names.
// Not shared between threads.
class ScanCommand
{
public:
    explicit ScanCommand(CLI::App& cli);

    bool Parsed() const;
    int Run(Console& console) const;

private:
    void CheckOptions() const;

    CLI::App* mCommand;
    EnginePass mPass;
    std::string mRoot;
    bool mJson = false;
    std::string mTable;
    bool mCensus = false;
    std::string mFormat = "text";
    std::string mSort;
    size_t mTop = 0;
    size_t mDepth = 0;
    uint64_t mMinCount = 1;
};

} // namespace VarnikCli
