#include "cli/DiffCommand.h"

#include "cli/ScanDiff.h"

#include <CLI/CLI.hpp>

#include <sys/stat.h>

namespace VarnikCli
{
namespace
{

bool IsFolder(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Takes the header of the scan that it passes on to the diff.
class HeaderTaker : public ScanVisitor
{
public:
    explicit HeaderTaker(ScanVisitor& next) : mNext(next) {}

    void Header(const ScanHeader& header) override { mHeader = header; }
    bool Enter(const Vn::Data_Node& node, bool isFolder) override
    {
        return mNext.Enter(node, isFolder);
    }
    void Leave() override { mNext.Leave(); }

    std::optional<ScanHeader> mHeader;

private:
    ScanVisitor& mNext;
};

} // namespace

DiffCommand::DiffCommand(CLI::App& cli)
    : mCommand(cli.add_subcommand("diff", "Compare two scans: folders, or files of scan --json"))
{
    mCommand->add_option("OLD", mOld, "The earlier scan")->required()->type_name("");
    mCommand->add_option("NEW", mNew, "The later scan")->required()->type_name("");
    CLI::Option* json = mCommand->add_flag("--json", mJson, "Print the changes as JSON");
    mCommand->add_flag("--folders", mFolders, "The changes of each folder instead of each file");
    mCommand->add_option("--format", mFormat, "How the changes print")
        ->check(CLI::IsMember(Table::FORMAT_NAMES).description(""))
        ->type_name("text|csv|tsv|md|json")
        ->capture_default_str()
        ->excludes(json);
    mPass.AddOptions(*mCommand);
}

bool DiffCommand::Parsed() const
{
    return mCommand->parsed();
}

// A folder is scanned with the analysis flags; anything else must be a scan's JSON.
ScanFile DiffCommand::Load(const std::string& side, Console& console) const
{
    if (!IsFolder(side))
        return ReadScanFile(side);
    const std::string root = CheckedRoot(side);
    ScanFile scan{ScanHeader::OfScan(mPass.Options(), root), nullptr};
    mPass.Run("Scanning", console, {root},
              [&](Vn::FolderParser& folderParser, const std::string&)
              { scan.mRoot = folderParser.Parse(root.c_str()); });
    return scan;
}

// The new side is read as it goes when it is a file, else the old one when that is;
// two folders are both scanned.
int DiffCommand::Run(Console& console) const
{
    const bool holdOld = !IsFolder(mNew) || IsFolder(mOld);
    ScanFile held = Load(holdOld ? mOld : mNew, console);
    ScanDiff diff(*held.mRoot, holdOld, mFolders ? ScanDiff::By::Folder : ScanDiff::By::File);
    HeaderTaker visiting(diff);
    const std::string& other = holdOld ? mNew : mOld;
    if (IsFolder(other))
    {
        ScanFile scan = Load(other, console);
        visiting.mHeader = scan.mHeader;
        VisitTree(*scan.mRoot, visiting);
        console.Discard(std::move(scan.mRoot));
    }
    else
    {
        ScanReader::Read(other, visiting);
    }
    const ScanHeader* heldHeader = held.mHeader ? &*held.mHeader : nullptr;
    const ScanHeader* visitingHeader = visiting.mHeader ? &*visiting.mHeader : nullptr;
    for (std::string& warning : holdOld ? HeaderWarnings(heldHeader, visitingHeader)
                                        : HeaderWarnings(visitingHeader, heldHeader))
        console.mWarnings.push_back(std::move(warning));
    const Table::Format format = Table::FormatNamed(mJson ? "json" : mFormat);
    if (format == Table::Format::Json)
        diff.WriteJson(console.mOut);
    else if (format == Table::Format::Text)
        diff.WriteText(console.mOut);
    else
        diff.MakeTable().Write(console.mOut, format);
    console.Flush();
    console.Discard(std::move(held.mRoot));
    return diff.HasChanges() ? EXIT_CHANGED : EXIT_SUCCESS;
}

} // namespace VarnikCli
