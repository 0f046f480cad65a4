#include "cli/MergeCommand.h"

#include "cli/JsonReport.h"
#include "cli/NodeNames.h"
#include "cli/ScanReader.h"
#include "cli/TreeReport.h"
#include "lib/Path.h"

#include <CLI/CLI.hpp>

#include <set>
#include <stdexcept>
#include <sys/stat.h>

namespace VarnikCli
{
namespace
{

// The merged root is named "." so that its files are "./TREE/PATH".
constexpr char ROOT[] = ".";

struct Input
{
    std::string mPath;
    std::string mTree; // empty for a merged file, whose trees join as they are
    std::optional<ScanHeader> mHeader;
};

std::string LastComponent(const std::string& path)
{
    return path.substr(path.rfind(TrovLib::SEPARATOR) + 1);
}

// "NAME=SCAN.json", unless the whole argument names a file.
Input InputOf(const std::string& argument)
{
    struct stat info = {};
    const size_t equals = argument.find('=');
    if (stat(argument.c_str(), &info) == 0 || equals == std::string::npos)
        return {argument, "", std::nullopt};
    return {argument.substr(equals + 1), argument.substr(0, equals), std::nullopt};
}

// Reads the header and the root's totals, which come first, and for a merged file the
// names of its trees.
class TotalsReader : public ScanVisitor
{
public:
    TotalsReader(Input& input, Vn::Data_Folder& merged, std::set<std::string>& trees)
        : mInput(input), mMerged(merged), mTrees(trees)
    {
    }

    void Header(const ScanHeader& header) override { mInput.mHeader = header; }
    bool Enter(const Vn::Data_Node& node, bool isFolder) override
    {
        if (mDepth == 0)
            return EnterRoot(node);
        if (mDepth == 1)
            AddTree(isFolder ? node.GetName() : node.GetName_Relative());
        mDepth += isFolder ? 1 : 0;
        return true;
    }
    void Leave() override { mDepth--; }

private:
    bool EnterRoot(const Vn::Data_Node& root)
    {
        mMerged.mCounters.Add(root.mCounters);
        mDepth = 1;
        // A merged file given no name of its own joins its trees to the others.
        if (mInput.mTree.empty() && mInput.mHeader && mInput.mHeader->mKind == "merge")
            return true;
        if (mInput.mTree.empty())
            mInput.mTree = LastComponent(mInput.mHeader ? mInput.mHeader->mRoot : root.GetName());
        AddTree(mInput.mTree);
        return false;
    }
    void AddTree(const std::string& name)
    {
        if (name.empty() || name == "." || name == ".." ||
            name.find(TrovLib::SEPARATOR) != std::string::npos)
            throw std::runtime_error(mInput.mPath + ": cannot name its tree \"" + name +
                                     "\"; name it as NAME=" + mInput.mPath);
        if (!mTrees.insert(name).second)
            throw std::runtime_error(mInput.mPath + ": a second tree named \"" + name +
                                     "\"; name it as NAME=" + mInput.mPath);
    }

    Input& mInput;
    Vn::Data_Folder& mMerged;
    std::set<std::string>& mTrees;
    size_t mDepth = 0;
};

// Writes the nodes of one file under the merged root, each renamed below its tree.
class TreeCopier : public ScanVisitor
{
public:
    TreeCopier(const Input& input, JsonReport::ScanWriter& writer)
        : mTree(input.mTree.empty() ? "" : input.mTree + TrovLib::SEPARATOR), mWriter(writer)
    {
    }

    bool Enter(const Vn::Data_Node& node, bool isFolder) override
    {
        if (mDepth++ == 0)
        {
            mRootName = node.GetName();
            if (!mTree.empty())
                mWriter.Node(mTree.substr(0, mTree.size() - 1), true, node.mCounters);
        }
        else if (isFolder)
        {
            mWriter.Node(mTree + node.GetName(), true, node.mCounters);
        }
        else
        {
            mWriter.Node(std::string(ROOT) + TrovLib::SEPARATOR + mTree +
                             NameBelowRoot(node, mRootName),
                         false, node.mCounters);
            mDepth--;
        }
        return true;
    }
    void Leave() override
    {
        if (--mDepth != 0 || !mTree.empty())
            mWriter.EndFolder();
    }

private:
    const std::string mTree; // the tree's name and a separator; empty for a merged file
    JsonReport::ScanWriter& mWriter;
    std::string mRootName;
    size_t mDepth = 0;
};

// The header of the merge: the options of its scans when they agree.
ScanHeader MergedHeader(const std::vector<Input>& inputs, Console& console)
{
    ScanHeader merged{VARNIK_VERSION, "merge", "", "", {}};
    for (const Input& input : inputs)
    {
        const std::string mode = input.mHeader ? input.mHeader->mMode : "unknown";
        const auto options = input.mHeader ? input.mHeader->mOptions : std::vector<std::string>();
        if (&input == &inputs.front())
        {
            merged.mMode = mode;
            merged.mOptions = options;
        }
        else if (merged.mMode != mode || merged.mOptions != options)
        {
            merged.mMode = "mixed";
            merged.mOptions.clear();
        }
    }
    if (merged.mMode == "mixed" || merged.mMode == "unknown")
        console.mWarnings.push_back("warning: the scans were made with different options, or "
                                    "some do not say which");
    if (merged.mMode == "unknown")
        merged.mMode = "mixed";
    return merged;
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
    std::vector<Input> inputs;
    for (const std::string& scan : mScans)
        inputs.push_back(InputOf(scan));
    Vn::Data_Folder merged(ROOT);
    std::set<std::string> trees;
    for (Input& input : inputs)
    {
        TotalsReader totals(input, merged, trees);
        ScanReader::Read(input.mPath, totals);
    }
    const ScanHeader header = MergedHeader(inputs, console);
    if (!mJson)
    {
        TreeReport::WriteCounters(console.mOut, merged);
        console.Flush();
        return EXIT_SUCCESS;
    }
    JsonReport::ScanWriter writer(console.mOut.Stream(), header);
    writer.Node(ROOT, true, merged.mCounters);
    for (const Input& input : inputs)
    {
        TreeCopier copier(input, writer);
        ScanReader::Read(input.mPath, copier);
    }
    writer.EndFolder();
    writer.Finish();
    console.Flush();
    return EXIT_SUCCESS;
}

} // namespace VarnikCli
