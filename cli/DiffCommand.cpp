#include "cli/DiffCommand.h"

#include "cli/ScanDiff.h"
#include "cli/ScanJsonReader.h"

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
std::unique_ptr<Vn::Data_Folder> DiffCommand::Load(const std::string& side, Console& console) const
{
    struct stat info = {};
    if (stat(side.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return ReadScanJson(side);
    const std::string root = CheckedRoot(side);
    std::unique_ptr<Vn::Data_Folder> tree;
    mPass.Run("Scanning", console,
              [&](Vn::FolderParser& folderParser) { tree = folderParser.Parse(root.c_str()); });
    return tree;
}

int DiffCommand::Run(Console& console) const
{
    auto oldTree = Load(mOld, console);
    auto newTree = Load(mNew, console);
    const ScanDiff diff(*oldTree, *newTree);
    if (mJson)
        diff.WriteJson(console.mOut.Stream());
    else
        diff.WriteText(console.mOut);
    console.Flush();
    console.Discard(std::move(oldTree));
    console.Discard(std::move(newTree));
    return diff.HasChanges() ? EXIT_CHANGED : EXIT_SUCCESS;
}

} // namespace VarnikCli
