#include "cli/DiffCommand.h"

#include "cli/ScanDiff.h"

#include <CLI/CLI.hpp>

#include <sys/stat.h>

namespace VarnikCli
{

DiffCommand::DiffCommand(CLI::App& cli)
    : mCommand(cli.add_subcommand("diff", "Compare two scans: folders, or files of scan --json"))
{
    mCommand->add_option("OLD", mOld, "The earlier scan")->required()->type_name("");
    mCommand->add_option("NEW", mNew, "The later scan")->required()->type_name("");
    mCommand->add_flag("--json", mJson, "Print the changes as JSON");
    mPass.AddOptions(*mCommand);
}

bool DiffCommand::Parsed() const
{
    return mCommand->parsed();
}

// A folder is scanned with the analysis flags; anything else must be a scan's JSON.
ScanFile DiffCommand::Load(const std::string& side, Console& console) const
{
    struct stat info = {};
    if (stat(side.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return ReadScanFile(side);
    const std::string root = CheckedRoot(side);
    ScanFile scan{ScanHeader::OfScan(mPass.Options(), root), nullptr};
    mPass.Run("Scanning", console,
              [&](Vn::FolderParser& folderParser)
              { scan.mRoot = folderParser.Parse(root.c_str()); });
    return scan;
}

int DiffCommand::Run(Console& console) const
{
    ScanFile oldScan = Load(mOld, console);
    ScanFile newScan = Load(mNew, console);
    for (std::string& warning : HeaderWarnings(oldScan.mHeader ? &*oldScan.mHeader : nullptr,
                                               newScan.mHeader ? &*newScan.mHeader : nullptr))
        console.mWarnings.push_back(std::move(warning));
    const ScanDiff diff(*oldScan.mRoot, *newScan.mRoot);
    if (mJson)
        diff.WriteJson(console.mOut.Stream());
    else
        diff.WriteText(console.mOut);
    console.Flush();
    console.Discard(std::move(oldScan.mRoot));
    console.Discard(std::move(newScan.mRoot));
    return diff.HasChanges() ? EXIT_CHANGED : EXIT_SUCCESS;
}

} // namespace VarnikCli
