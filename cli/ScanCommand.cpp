#include "cli/ScanCommand.h"

#include "cli/CensusReport.h"
#include "cli/Joined.h"
#include "cli/JsonReport.h"
#include "cli/ScanMerge.h"
#include "cli/TableReport.h"
#include "cli/TreeReport.h"
#include "cli/WholeNumber.h"

#include <CLI/CLI.hpp>

#include <limits>

namespace VarnikCli
{
namespace
{

// The tree of one root, or a root "." holding the trees of several, which adds their
// counters up as a merge of their scans does.
std::unique_ptr<Vn::Data_Folder> CombinedTrees(std::vector<std::unique_ptr<Vn::Data_Folder>> trees)
{
    if (trees.size() == 1)
        return std::move(trees.front());
    auto combined = std::make_unique<Vn::Data_Folder>(".");
    combined->SetRootKind(Vn::TreeNode::RootKind::ROOTS);
    for (auto& tree : trees)
        combined->AddNode(std::move(tree));
    return combined;
}

} // namespace

ScanCommand::ScanCommand(CLI::App& cli)
    : mCommand(cli.add_subcommand("scan", "Count the files and lines of a tree"))
{
    mCommand
        ->add_option("ROOT", mRoots,
                     "The folders and files to scan; several join as merge joins their scans")
        ->required()
        ->type_name("");
    CLI::Option* json = mCommand->add_flag("--json", mJson, "Print the counter tree as JSON");
    const char* tables = "Tables";
    CLI::Option* table =
        mCommand
            ->add_option("--table", mTable,
                         "One row per file type, file or folder, or per unknown extension")
            ->check(CLI::IsMember(TableReport::Kinds()).description(""))
            ->type_name(Joined(TableReport::Kinds(), "|"))
            ->excludes(json)
            ->group(tables);
    mCommand->add_flag("--census", mCensus, "The names that #if, #ifdef and #ifndef test, ranked")
        ->excludes(json)
        ->excludes(table)
        ->group(tables);
    mCommand->add_option("--format", mFormat, "How a table or the census prints")
        ->check(CLI::IsMember(Table::FORMAT_NAMES).description(""))
        ->type_name("text|csv|tsv|md|json")
        ->capture_default_str()
        ->group(tables);
    mCommand->add_option("--sort", mSort, "Order rows by a column (numbers: largest first)")
        ->type_name("COLUMN")
        ->group(tables);
    mCommand->add_option("--top", mTop, "Keep the first N rows")
        ->check(WholeNumber(1))
        ->type_name("N")
        ->group(tables);
    mCommand->add_option("--depth", mDepth, "Folders of --table folders down to N levels")
        ->check(WholeNumber(0))
        ->type_name("N")
        ->group(tables);
    mCommand->add_option("--min-count", mMinCount, "Census names tested at least N times")
        ->check(WholeNumber(0))
        ->type_name("N")
        ->group(tables);
    mPass.AddOptions(*mCommand);
}

bool ScanCommand::Parsed() const
{
    return mCommand->parsed();
}

// The table options mean something only with the table or the census they shape.
void ScanCommand::CheckOptions() const
{
    const bool tableOrCensus = !mTable.empty() || mCensus;
    for (const char* name : {"--format", "--sort", "--top"})
    {
        if (mCommand->count(name) != 0 && !tableOrCensus)
            throw std::runtime_error(std::string(name) + " needs --table or --census");
    }
    if (mCommand->count("--depth") != 0 && mTable != "folders")
        throw std::runtime_error("--depth needs --table folders");
    if (mCommand->count("--min-count") != 0 && !mCensus)
        throw std::runtime_error("--min-count needs --census");
}

int ScanCommand::Run(Console& console) const
{
    CheckOptions();
    const std::vector<std::string> roots = CheckedRoots(mRoots);
    // The tree report and the census read the root's counters only.
    const bool totalsOnly = !mJson && mTable.empty();
    std::vector<std::unique_ptr<Vn::Data_Folder>> trees;
    mPass.Run("Scanning", console, roots,
              [&trees, totalsOnly](Vn::FolderParser& folderParser, const std::string& root)
              {
                  folderParser.SetTotalsOnly(totalsOnly);
                  trees.push_back(folderParser.Parse(root.c_str()));
              });
    if (mJson)
    {
        WriteJson(console, roots, trees);
        for (auto& tree : trees)
            console.Discard(std::move(tree));
        return EXIT_SUCCESS;
    }
    std::unique_ptr<Vn::Data_Folder> tree = CombinedTrees(std::move(trees));
    if (!mTable.empty() || mCensus)
    {
        const size_t depth =
            mCommand->count("--depth") != 0 ? mDepth : std::numeric_limits<size_t>::max();
        const bool labels = mPass.Options().mLanguages;
        Table table = mCensus ? CensusReport::Build(*tree, mMinCount)
                              : TableReport::Build(*tree, mTable, depth, labels);
        if (!mSort.empty())
            table.Sort(mSort);
        if (mTop != 0)
            table.Keep(mTop);
        table.Write(console.mOut, Table::FormatNamed(mFormat));
    }
    else
    {
        TreeReport::WriteCounters(console.mOut, *tree);
    }
    console.Flush();
    console.Discard(std::move(tree));
    return EXIT_SUCCESS;
}

// One root writes its scan; several write what merge writes of their scans.
void ScanCommand::WriteJson(Console& console, const std::vector<std::string>& roots,
                            const std::vector<std::unique_ptr<Vn::Data_Folder>>& trees) const
{
    std::ostream& out = console.mOut.Stream();
    if (trees.size() == 1)
    {
        JsonReport::WriteScan(out, *trees.front(),
                              ScanHeader::OfScan(mPass.Options(), roots.front()));
    }
    else
    {
        std::vector<ScanMerge::Input> inputs;
        for (size_t i = 0; i < trees.size(); i++)
        {
            const Vn::Data_Folder& tree = *trees[i];
            const ScanHeader header = ScanHeader::OfScan(mPass.Options(), roots[i]);
            inputs.push_back({roots[i], "",
                              [&tree, header](ScanVisitor& visitor)
                              {
                                  visitor.Header(header);
                                  VisitTree(tree, visitor);
                              },
                              "scan it apart and merge the scans, naming it as NAME=SCAN.json",
                              std::nullopt});
        }
        const ScanMerge merge(std::move(inputs));
        merge.WriteJson(out, merge.Header(console.mWarnings));
    }
    console.Flush();
}

} // namespace VarnikCli
