#include "cli/MergeCommand.h"

#include "cli/ScanMerge.h"
#include "cli/TreeReport.h"

#include <CLI/CLI.hpp>

#include <sys/stat.h>

namespace VarnikCli
{
namespace
{

// "NAME=SCAN.json", unless the whole argument names a file.
ScanMerge::Input InputOf(const std::string& argument)
{
    struct stat info = {};
    const size_t equals = argument.find('=');
    const bool named = stat(argument.c_str(), &info) != 0 && equals != std::string::npos;
    const std::string path = named ? argument.substr(equals + 1) : argument;
    return {path, named ? argument.substr(0, equals) : "",
            [path](ScanVisitor& visitor) { ScanReader::Read(path, visitor); },
            "name it as NAME=" + path, std::nullopt};
}

} // namespace

MergeCommand::MergeCommand(CLI::App& cli)
    : mCommand(cli.add_subcommand("merge", "Combine scan files of several trees into one"))
{
    mCommand->add_option("SCAN", mScans, "Files of scan --json or merge --json, as [NAME=]FILE")
        ->required()
        ->type_name("");
    mCommand->add_flag("--json", mJson, "Write the merged scan as JSON, for merge and diff");
}

bool MergeCommand::Parsed() const
{
    return mCommand->parsed();
}

int MergeCommand::Run(Console& console) const
{
    std::vector<ScanMerge::Input> inputs;
    for (const std::string& scan : mScans)
        inputs.push_back(InputOf(scan));
    const ScanMerge merge(std::move(inputs));
    const ScanHeader header = merge.Header(console.mWarnings);
    if (mJson)
        merge.WriteJson(console.mOut.Stream(), header);
    else
        TreeReport::WriteCounters(console.mOut, merge.GetTotals());
    console.Flush();
    return EXIT_SUCCESS;
}

} // namespace VarnikCli
