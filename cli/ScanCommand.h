#pragma once

#include "cli/Console.h"
#include "cli/EnginePass.h"

#include <memory>
#include <string>
#include <vector>

namespace VarnikCli
{

// `scan ROOT...`: counts the files and lines of a tree and prints the counter tree, its
// JSON, a table per type, file or folder, or the ranked census of "#if" names. Several
// roots, folders or files, are scanned in turn and reported as merge reports their scans.
// Not shared between threads.
class ScanCommand
{
public:
    explicit ScanCommand(CLI::App& cli);

    bool Parsed() const;
    int Run(Console& console) const;

private:
    void CheckOptions() const;
    void WriteJson(Console& console, const std::vector<std::string>& roots,
                   const std::vector<std::unique_ptr<Vn::Data_Folder>>& trees) const;

    CLI::App* mCommand;
    EnginePass mPass;
    std::vector<std::string> mRoots;
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
