#include "cli/ScanDiff.h"

#include "cli/JsonWriter.h"
#include "cli/NodeNames.h"
#include "engine/counters/Counter_Count.h"
#include "engine/tree/CounterSchema.h"
#include "engine/tree/NodeCounters.h"
#include "engine/tree/TreeWalk.h"
#include "lib/Path.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace VarnikCli
{
namespace
{

constexpr const char* CENSUS = Vn::Schema::NAME_CONDITIONS;

// Every count of a node by its path of names, in the order of the counters.
using Counts = std::vector<std::pair<std::string, uint64_t>>;

// Counters nest a few levels at most (the reader refuses more), so they may recurse.
void Flatten(const Vn::Counter_List& counters, const std::string& prefix, Counts& counts)
{
    for (const auto& counter : counters)
    {
        const auto* count = dynamic_cast<const Vn::Counter_Count*>(counter.get());
        if (count == nullptr)
            continue;
        const std::string name = prefix + count->GetName();
        counts.emplace_back(name, count->GetCount());
        Flatten(count->mCounters, name + "/", counts);
    }
}

// Whether two lists hold the same counts under the same names in the same order, which is
// what most files of two scans of one tree do. Names are interned, so their addresses
// compare.
bool SameCounts(const Vn::Counter_List& a, const Vn::Counter_List& b)
{
    if (a.size() != b.size())
        return false;
    for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y)
    {
        if ((*x)->GetType() != (*y)->GetType() || (*x)->GetName() != (*y)->GetName())
            return false;
        const auto* countX = dynamic_cast<const Vn::Counter_Count*>(x->get());
        const auto* countY = dynamic_cast<const Vn::Counter_Count*>(y->get());
        if (countX != nullptr && (countX->GetCount() != countY->GetCount() ||
                                  !SameCounts(countX->mCounters, countY->mCounters)))
            return false;
    }
    return true;
}

const uint64_t* Find(const std::map<std::string, uint64_t>& counts, const std::string& name)
{
    const auto found = counts.find(name);
    return found != counts.end() ? &found->second : nullptr;
}

uint64_t LinesOf(const Vn::Data_Node& file)
{
    return Vn::Schema::TotalsOf(file).mLines;
}

bool ByOwnName(const Vn::Data_Node* a, const Vn::Data_Node* b)
{
    return std::strcmp(a->GetName_Relative(), b->GetName_Relative()) < 0;
}

void WriteList(JsonWriter& json, const char* key, const std::vector<std::string>& names)
{
    json.Key(key);
    json.StartArray();
    for (const std::string& name : names)
        json.String(name);
    json.EndArray();
}

} // namespace

struct ScanDiff::Level
{
    const Vn::Data_Folder* mHeld;                // null when the held scan has no such folder
    std::vector<const Vn::Data_Node*> mChildren; // the held folder's, by their own name
    std::vector<bool> mMatched;
    size_t mFolder; // its entry in mFolders
};

bool ScanDiff::Folder::Empty() const
{
    return mChanges.empty() && mAppeared.empty() && mVanished.empty() && mAdded.empty() &&
           mRemoved.empty();
}

ScanDiff::ScanDiff(const Vn::Data_Folder& held, bool heldIsOld, By by)
    : mHeld(held), mHeldIsOld(heldIsOld), mBy(by)
{
}

ScanDiff::~ScanDiff() = default;

std::string ScanDiff::PathOf(const Vn::Data_Node& node, bool isFolder) const
{
    return isFolder ? node.GetName() : NameBelowRoot(node, mRootName);
}

bool ScanDiff::Enter(const Vn::Data_Node& node, bool isFolder)
{
    const Vn::Data_Node* held = &mHeld;
    std::string path = ".";
    if (mLevels.empty())
    {
        mRootName = node.GetName();
    }
    else
    {
        path = PathOf(node, isFolder);
        held = mLevels.back().mHeld ? Match(mLevels.back(), node, isFolder) : nullptr;
    }
    if (held == nullptr)
        OneSided(node, path, false);
    else if (!isFolder)
        CompareFiles(*held, node, path);
    if (!isFolder)
        return true;
    Level level{static_cast<const Vn::Data_Folder*>(held), {}, {}, mFolders.size()};
    if (held != nullptr)
    {
        for (const auto& child : level.mHeld->mNodes)
            level.mChildren.push_back(child.get());
        std::sort(level.mChildren.begin(), level.mChildren.end(), ByOwnName);
        level.mMatched.resize(level.mChildren.size());
        if (mBy == By::Folder)
        {
            mFolders.push_back({path, {}, {}, {}, {}, {}});
            mFolders.back().mChanges = Changes(*held, node, &mFolders.back());
        }
    }
    mLevels.push_back(std::move(level));
    return true;
}

void ScanDiff::Leave()
{
    const Level& level = mLevels.back();
    if (level.mHeld != nullptr)
    {
        HeldOnly(level);
        // A folder without changes stays only to stand for changes below it.
        if (mBy == By::Folder && mFolders.size() == level.mFolder + 1 && mFolders.back().Empty())
            mFolders.pop_back();
    }
    mLevels.pop_back();
    // Files that only the held scan has were listed as their folders ended.
    if (mLevels.empty())
        std::stable_sort(mFiles.begin(), mFiles.end(),
                         [](const FileChange& a, const FileChange& b)
                         { return a.mPath < b.mPath; });
}

const Vn::Data_Node* ScanDiff::Match(Level& level, const Vn::Data_Node& node, bool isFolder) const
{
    const auto found =
        std::lower_bound(level.mChildren.begin(), level.mChildren.end(), &node, ByOwnName);
    if (found == level.mChildren.end() ||
        std::strcmp((*found)->GetName_Relative(), node.GetName_Relative()) != 0 ||
        (*found)->IsFolder() != isFolder)
        return nullptr;
    level.mMatched[found - level.mChildren.begin()] = true;
    return *found;
}

// A node that only one scan holds: by file, a row per file; by folder, a name in the list
// of its folder, if that folder is in both.
void ScanDiff::OneSided(const Vn::Data_Node& node, const std::string& path, bool held)
{
    const bool removed = held == mHeldIsOld;
    const bool isFolder = node.IsFolder();
    if (mBy == By::File && !isFolder)
    {
        const uint64_t lines = LinesOf(node);
        mFiles.push_back({removed ? '-' : '+',
                          path,
                          {Vn::Schema::NAME_LINE, removed ? lines : 0, removed ? 0 : lines}});
    }
    if (mBy == By::Folder && !mLevels.empty() && mLevels.back().mHeld != nullptr)
    {
        Folder& folder = mFolders[mLevels.back().mFolder];
        (removed ? folder.mRemoved : folder.mAdded)
            .push_back(isFolder ? path + TrovLib::SEPARATOR : path);
    }
}

void ScanDiff::HeldOnly(const Level& level)
{
    for (size_t i = 0; i < level.mChildren.size(); ++i)
    {
        if (level.mMatched[i])
            continue;
        if (mBy == By::Folder)
        {
            OneSided(*level.mChildren[i], NameBelowRoot(*level.mChildren[i], mHeld), true);
            continue;
        }
        Vn::ForEachInTree<Vn::Data_Node>(*level.mChildren[i],
                                         [this](const Vn::Data_Node& node, size_t)
                                         {
                                             if (!node.IsFolder())
                                                 OneSided(node, NameBelowRoot(node, mHeld), true);
                                         });
    }
}

void ScanDiff::CompareFiles(const Vn::Data_Node& held, const Vn::Data_Node& visiting,
                            const std::string& path)
{
    if (mBy != By::File)
        return;
    for (Change& change : Changes(held, visiting, nullptr))
        mFiles.push_back({'~', path, std::move(change)});
}

// A count missing on one side is 0 there. With `census`, a census name that is missing on
// one side appeared or vanished instead.
std::vector<ScanDiff::Change> ScanDiff::Changes(const Vn::Data_Node& held,
                                                const Vn::Data_Node& visiting, Folder* census) const
{
    const Vn::NodeCounters heldCounters(held);
    const Vn::NodeCounters visitingCounters(visiting);
    if (SameCounts(heldCounters.Get(), visitingCounters.Get()))
        return {};
    const Vn::NodeCounters& oldCounters = mHeldIsOld ? heldCounters : visitingCounters;
    const Vn::NodeCounters& newCounters = mHeldIsOld ? visitingCounters : heldCounters;
    Counts oldCounts;
    Counts newCounts;
    Flatten(oldCounters.Get(), "", oldCounts);
    Flatten(newCounters.Get(), "", newCounts);
    const std::map<std::string, uint64_t> oldByName(oldCounts.begin(), oldCounts.end());
    const std::map<std::string, uint64_t> newByName(newCounts.begin(), newCounts.end());
    const std::string censusPrefix = std::string(CENSUS) + "/";
    const auto censusName = [&](const std::string& name)
    { return census != nullptr && name.starts_with(censusPrefix); };
    std::vector<Change> changes;
    for (const auto& [name, value] : oldCounts)
    {
        const uint64_t* now = Find(newByName, name);
        if (now == nullptr && censusName(name))
            census->mVanished.push_back(name.substr(censusPrefix.size()));
        else if ((now == nullptr ? 0 : *now) != value)
            changes.push_back({name, value, now ? *now : 0});
    }
    for (const auto& [name, value] : newCounts)
    {
        if (Find(oldByName, name) != nullptr)
            continue;
        if (censusName(name))
            census->mAppeared.push_back(name.substr(censusPrefix.size()));
        else if (value != 0)
            changes.push_back({name, 0, value});
    }
    return changes;
}

bool ScanDiff::HasChanges() const
{
    return !mFiles.empty() || std::any_of(mFolders.begin(), mFolders.end(),
                                          [](const Folder& folder) { return !folder.Empty(); });
}

void ScanDiff::WriteText(Output& out) const
{
    for (const FileChange& file : mFiles)
    {
        out << file.mSign << ' ';
        out.Text(file.mPath) << ' ';
        out.Text(file.mChange.mName)
            << ' ' << file.mChange.mOld << " -> " << file.mChange.mNew << '\n';
    }
    for (const Folder& folder : mFolders)
    {
        if (folder.Empty())
            continue;
        out.Text(folder.mName) << '\n';
        for (const Change& change : folder.mChanges)
        {
            const auto difference = static_cast<int64_t>(change.mNew - change.mOld);
            out << "  ";
            out.Text(change.mName) << ' ' << change.mOld << " -> " << change.mNew << " ("
                                   << (difference > 0 ? "+" : "") << difference << ")\n";
        }
        const std::pair<const char*, const std::vector<std::string>*> lists[] = {
            {"  + #if ", &folder.mAppeared},
            {"  - #if ", &folder.mVanished},
            {"  + ", &folder.mAdded},
            {"  - ", &folder.mRemoved}};
        for (const auto& [prefix, names] : lists)
        {
            for (const std::string& name : *names)
            {
                out << prefix;
                out.Text(name) << '\n';
            }
        }
    }
}

Table ScanDiff::MakeTable() const
{
    Table table({"change", mBy == By::File ? "file" : "folder", "counter", "old", "new"});
    for (const FileChange& file : mFiles)
        table.Add({std::string(1, file.mSign), file.mPath, file.mChange.mName, file.mChange.mOld,
                   file.mChange.mNew});
    for (const Folder& folder : mFolders)
    {
        for (const Change& change : folder.mChanges)
            table.Add({std::string("~"), folder.mName, change.mName, change.mOld, change.mNew});
        const std::pair<const char*, const std::vector<std::string>*> lists[] = {
            {"+", &folder.mAppeared},
            {"-", &folder.mVanished},
            {"+", &folder.mAdded},
            {"-", &folder.mRemoved}};
        for (const auto& [sign, names] : lists)
        {
            const bool census = names == &folder.mAppeared || names == &folder.mVanished;
            for (const std::string& name : *names)
                table.Add({std::string(sign), folder.mName,
                           census ? std::string(CENSUS) + "/" + name : name, uint64_t{0},
                           uint64_t{0}});
        }
    }
    return table;
}

void ScanDiff::WriteJson(Output& out) const
{
    if (mBy == By::File)
        return MakeTable().Write(out, Table::Format::Json);
    JsonWriter json(out.Stream());
    json.StartObject();
    json.Key("folders");
    json.StartArray();
    for (const Folder& folder : mFolders)
    {
        if (folder.Empty())
            continue;
        json.StartObject();
        json.Key("name");
        json.String(folder.mName);
        json.Key("counters");
        json.StartArray();
        for (const Change& change : folder.mChanges)
        {
            json.StartObject();
            json.Key("name");
            json.String(change.mName);
            json.Key("old");
            json.Uint64(change.mOld);
            json.Key("new");
            json.Uint64(change.mNew);
            json.Key("difference");
            json.Int64(static_cast<int64_t>(change.mNew - change.mOld));
            json.EndObject();
        }
        json.EndArray();
        WriteList(json, "appeared", folder.mAppeared);
        WriteList(json, "vanished", folder.mVanished);
        WriteList(json, "added", folder.mAdded);
        WriteList(json, "removed", folder.mRemoved);
        json.EndObject();
    }
    json.EndArray();
    json.Key("changed");
    json.Bool(HasChanges());
    json.EndObject();
    json.Finish();
}

} // namespace VarnikCli
