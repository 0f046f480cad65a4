#include "cli/ScanDiff.h"

#include "cli/JsonWriter.h"
#include "cli/NodeNames.h"
#include "engine/counters/Counter_Count.h"
#include "lib/Path.h"

#include <map>
#include <utility>

namespace VarnikCli
{
namespace
{

constexpr char CENSUS[] = "#if";

// Every count of a node by its path of names, in the order of the counters.
using Counts = std::vector<std::pair<std::string, uint64_t>>;

// Counters nest a few levels at most, so they may recurse.
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

const uint64_t* Find(const std::map<std::string, uint64_t>& counts, const std::string& name)
{
    const auto found = counts.find(name);
    return found != counts.end() ? &found->second : nullptr;
}

// The children of a folder by their path below the root.
std::map<std::string, const Vn::Data_Node*> Children(const Vn::Data_Folder& folder,
                                                     const Vn::Data_Folder& root)
{
    std::map<std::string, const Vn::Data_Node*> children;
    for (const auto& child : folder.mNodes)
        children.emplace(NameBelowRoot(*child, root), child.get());
    return children;
}

bool IsFolder(const Vn::Data_Node& node)
{
    return dynamic_cast<const Vn::Data_Folder*>(&node) != nullptr;
}

// Whether `name` is a child of the same kind in `children`.
bool Holds(const std::map<std::string, const Vn::Data_Node*>& children, const std::string& name,
           const Vn::Data_Node& node)
{
    const auto found = children.find(name);
    return found != children.end() && IsFolder(*found->second) == IsFolder(node);
}

std::string Listed(const std::string& name, const Vn::Data_Node& node)
{
    return IsFolder(node) ? name + TrovLib::SEPARATOR : name;
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

ScanDiff::ScanDiff(const Vn::Data_Folder& oldRoot, const Vn::Data_Folder& newRoot)
{
    std::vector<std::pair<const Vn::Data_Folder*, const Vn::Data_Folder*>> pending = {
        {&oldRoot, &newRoot}};
    while (!pending.empty())
    {
        const auto [oldFolder, newFolder] = pending.back();
        pending.pop_back();
        Folder folder{NameBelowRoot(*oldFolder, oldRoot), {}, {}, {}, {}, {}};
        CompareCounters(*oldFolder, *newFolder, folder);
        const auto oldChildren = Children(*oldFolder, oldRoot);
        const auto newChildren = Children(*newFolder, newRoot);
        std::vector<std::pair<const Vn::Data_Folder*, const Vn::Data_Folder*>> both;
        for (const auto& [name, node] : oldChildren)
        {
            if (!Holds(newChildren, name, *node))
                folder.mRemoved.push_back(Listed(name, *node));
            else if (IsFolder(*node))
                both.emplace_back(static_cast<const Vn::Data_Folder*>(node),
                                  static_cast<const Vn::Data_Folder*>(newChildren.at(name)));
        }
        for (const auto& [name, node] : newChildren)
        {
            if (!Holds(oldChildren, name, *node))
                folder.mAdded.push_back(Listed(name, *node));
        }
        // Reversed, so that sub-folders come out in name order.
        pending.insert(pending.end(), both.rbegin(), both.rend());
        if (!folder.mChanges.empty() || !folder.mAppeared.empty() || !folder.mVanished.empty() ||
            !folder.mAdded.empty() || !folder.mRemoved.empty())
            mFolders.push_back(std::move(folder));
    }
}

// A count missing on one side is 0 there, except a census name, which appears or vanishes.
void ScanDiff::CompareCounters(const Vn::Data_Node& oldNode, const Vn::Data_Node& newNode,
                               Folder& folder) const
{
    Counts oldCounts;
    Counts newCounts;
    Flatten(oldNode.mCounters, "", oldCounts);
    Flatten(newNode.mCounters, "", newCounts);
    const std::map<std::string, uint64_t> oldByName(oldCounts.begin(), oldCounts.end());
    const std::map<std::string, uint64_t> newByName(newCounts.begin(), newCounts.end());
    const std::string censusPrefix = std::string(CENSUS) + "/";
    const auto isCensusName = [&censusPrefix](const std::string& name)
    { return name.starts_with(censusPrefix); };
    for (const auto& [name, value] : oldCounts)
    {
        const uint64_t* now = Find(newByName, name);
        if (now == nullptr && isCensusName(name))
            folder.mVanished.push_back(name.substr(censusPrefix.size()));
        else if (now == nullptr || *now != value)
            folder.mChanges.push_back({name, value, now ? *now : 0});
    }
    for (const auto& [name, value] : newCounts)
    {
        if (Find(oldByName, name) != nullptr)
            continue;
        if (isCensusName(name))
            folder.mAppeared.push_back(name.substr(censusPrefix.size()));
        else
            folder.mChanges.push_back({name, 0, value});
    }
}

void ScanDiff::WriteText(Output& out) const
{
    for (const Folder& folder : mFolders)
    {
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

void ScanDiff::WriteJson(std::ostream& out) const
{
    JsonWriter json(out);
    json.StartObject();
    json.Key("folders");
    json.StartArray();
    for (const Folder& folder : mFolders)
    {
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
