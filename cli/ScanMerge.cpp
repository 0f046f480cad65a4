#include "cli/ScanMerge.h"

#include "cli/JsonReport.h"
#include "cli/NodeNames.h"
#include "engine/tree/NodeCounters.h"
#include "lib/Path.h"

#include <set>
#include <stdexcept>

namespace VarnikCli
{
namespace
{

// The merged root is named "." so that its files are "./TREE/PATH".
constexpr char ROOT[] = ".";

// Reads the header and the root's totals, which come first, and for a merged file the
// names of its trees.
class TotalsReader : public ScanVisitor
{
public:
    TotalsReader(ScanMerge::Input& input, Vn::Data_Folder& merged, std::set<std::string>& trees)
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
        mMerged.mCounters.Add(Vn::NodeCounters(root).Get());
        mDepth = 1;
        // A merged file given no name of its own joins its trees to the others.
        if (mInput.mTree.empty() && mInput.mHeader && mInput.mHeader->mKind == "merge")
            return true;
        if (mInput.mTree.empty())
            mInput.mTree =
                TrovLib::LastComponent(mInput.mHeader ? mInput.mHeader->mRoot : root.GetName());
        AddTree(mInput.mTree);
        return false;
    }
    void AddTree(const std::string& name)
    {
        if (name.empty() || name == "." || name == ".." ||
            name.find(TrovLib::SEPARATOR) != std::string::npos)
            throw std::runtime_error(mInput.mPath + ": cannot name its tree \"" + name + "\"; " +
                                     mInput.mNaming);
        if (!mTrees.insert(name).second)
            throw std::runtime_error(mInput.mPath + ": a second tree named \"" + name + "\"; " +
                                     mInput.mNaming);
    }

    ScanMerge::Input& mInput;
    Vn::Data_Folder& mMerged;
    std::set<std::string>& mTrees;
    size_t mDepth = 0;
};

// Writes the nodes of one scan under the merged root, each renamed below its tree.
class TreeCopier : public ScanVisitor
{
public:
    TreeCopier(const ScanMerge::Input& input, JsonReport::ScanWriter& writer)
        : mTree(input.mTree.empty() ? "" : input.mTree + TrovLib::SEPARATOR), mWriter(writer)
    {
    }

    bool Enter(const Vn::Data_Node& node, bool isFolder) override
    {
        if (mDepth++ == 0)
        {
            mRootName = node.GetName();
            if (!mTree.empty())
                mWriter.Node(mTree.substr(0, mTree.size() - 1), true, Vn::NodeCounters(node).Get());
        }
        else if (isFolder)
        {
            mWriter.Node(mTree + node.GetName(), true, Vn::NodeCounters(node).Get());
        }
        else
        {
            mWriter.Node(std::string(ROOT) + TrovLib::SEPARATOR + mTree +
                             NameBelowRoot(node, mRootName),
                         false, Vn::NodeCounters(node).Get());
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

} // namespace

ScanMerge::ScanMerge(std::vector<Input> inputs) : mInputs(std::move(inputs)), mTotals(ROOT)
{
    std::set<std::string> trees;
    for (Input& input : mInputs)
    {
        TotalsReader totals(input, mTotals, trees);
        input.mVisit(totals);
    }
}

ScanHeader ScanMerge::Header(std::vector<std::string>& warnings) const
{
    ScanHeader merged{VARNIK_VERSION, "merge", "", "", {}};
    for (const Input& input : mInputs)
    {
        const std::string mode = input.mHeader ? input.mHeader->mMode : "unknown";
        const auto options = input.mHeader ? input.mHeader->mOptions : std::vector<std::string>();
        if (&input == &mInputs.front())
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
        warnings.push_back("warning: the scans were made with different options, or "
                           "some do not say which");
    if (merged.mMode == "unknown")
        merged.mMode = "mixed";
    return merged;
}

void ScanMerge::WriteJson(std::ostream& out, const ScanHeader& header) const
{
    JsonReport::ScanWriter writer(out, header);
    writer.Node(ROOT, true, mTotals.mCounters);
    for (const Input& input : mInputs)
    {
        TreeCopier copier(input, writer);
        input.mVisit(copier);
    }
    writer.EndFolder();
    writer.Finish();
}

} // namespace VarnikCli
