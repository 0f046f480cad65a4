#pragma once

#include "cli/ScanReader.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace VarnikCli
{

// Scans of several trees as one: a root "." holding each tree as a top-level folder,
// named after its root's last component or as given. The trees of a merged scan join as
// they are (under the name given, if any), and counters add up, so merges may be grouped
// in any way: merging a, b and c writes what merging a with the merge of b and c does.
// Each scan is visited twice (its totals, then its nodes), so none needs to be whole in
// memory. Not shared between threads.
class ScanMerge
{
public:
    struct Input
    {
        std::string mPath; // what a message names: a scan file, or a root
        std::string mTree; // the name of its tree; empty for the default
        // Hands the whole scan to the visitor, its header first; called once per visit.
        std::function<void(ScanVisitor&)> mVisit;
        // How a message tells the user to name the tree.
        std::string mNaming;
        std::optional<ScanHeader> mHeader; // as read
    };

    // Reads the header and the totals of every input. Throws std::runtime_error for a tree
    // that cannot be named or two trees of one name.
    explicit ScanMerge(std::vector<Input> inputs);

    // The merged root, holding the totals of every tree and no node.
    const Vn::Data_Folder& GetTotals() const { return mTotals; }
    // The header of the merge: the options of its scans when they agree; a warning joins
    // `warnings` when they do not, or some do not say.
    ScanHeader Header(std::vector<std::string>& warnings) const;
    // Writes the merged scan as `scan --json` does, reading every input again.
    void WriteJson(std::ostream& out, const ScanHeader& header) const;

private:
    std::vector<Input> mInputs;
    Vn::Data_Folder mTotals;
};

} // namespace VarnikCli
