#include "cli/TableReport.h"

#include "cli/CensusReport.h"
#include "cli/NodeNames.h"
#include "cli/TreeWalk.h"
#include "engine/counters/Counter_Count.h"
#include "lib/Path.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <sys/stat.h>

namespace VarnikCli::TableReport
{
namespace
{

// Files, lines, blank, code, comment, directive, parsing errors.
using Totals = std::array<uint64_t, 7>;

const std::vector<std::string> COLUMNS = {"files",   "lines",     "blank", "code",
                                          "comment", "directive", "errors"};

const Vn::Counter_Count* Child(const Vn::Counter_List& counters, std::string_view name)
{
    for (const auto& counter : counters)
    {
        if (counter->GetName() == name)
            return dynamic_cast<const Vn::Counter_Count*>(counter.get());
    }
    return nullptr;
}

uint64_t CountOf(const Vn::Counter_Count* counter)
{
    return counter ? counter->GetCount() : 0;
}

// The totals of a node. Directive lines are counted under each type's "Code".
Totals TotalsOf(const Vn::Counter_List& counters)
{
    const Vn::Counter_Count* line = Child(counters, "Line");
    Totals totals = {CountOf(Child(counters, "File")), CountOf(line)};
    if (line != nullptr)
    {
        totals[2] = CountOf(Child(line->mCounters, "Blank"));
        totals[3] = CountOf(Child(line->mCounters, "Code"));
        totals[4] = CountOf(Child(line->mCounters, "Comment"));
    }
    for (const auto& counter : counters)
    {
        const auto* type = dynamic_cast<const Vn::Counter_Count*>(counter.get());
        const Vn::Counter_Count* code = type ? Child(type->mCounters, "Code") : nullptr;
        totals[5] += code ? CountOf(Child(code->mCounters, "Directive")) : 0;
    }
    totals[6] = CountOf(Child(counters, "Parsing Error"));
    return totals;
}

// The name cells, then the totals; a file's row leaves out its file count, always 1.
Table::Row RowOf(Table::Row names, const Totals& totals)
{
    const bool file = names.size() > 1;
    names.insert(names.end(), totals.begin() + (file ? 1 : 0), totals.end());
    return names;
}

void AddTo(Totals& sum, const Totals& more)
{
    for (size_t i = 0; i < sum.size(); ++i)
        sum[i] += more[i];
}

// The type of a file node: the one child of its "File" counter.
std::string TypeOf(const Vn::Data_Node& file)
{
    const Vn::Counter_Count* count = Child(file.mCounters, "File");
    if (count == nullptr || count->mCounters.empty())
        return "";
    return (*count->mCounters.begin())->GetName();
}

void AddTypes(Table& table, const Vn::Data_Folder& root)
{
    std::vector<std::string> order;
    std::map<std::string, Totals> byType;
    if (const Vn::Counter_Count* files = Child(root.mCounters, "File"))
    {
        for (const auto& type : files->mCounters)
            order.push_back(type->GetName());
    }
    ForEachInTree<Vn::Data_Node>(root,
                                 [&byType](const Vn::Data_Node& node, size_t)
                                 {
                                     if (ChildrenOf(node) != nullptr)
                                         return;
                                     AddTo(byType[TypeOf(node)], TotalsOf(node.mCounters));
                                 });
    for (const std::string& type : order)
        table.Add(RowOf({type}, byType[type]));
}

// What a user could map: the extension of a file of no known language (".conf"), or its
// whole name when it has none.
std::string UnknownKey(std::string_view path)
{
    const std::string_view name = path.substr(path.rfind(TrovLib::SEPARATOR) + 1);
    const size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(dot));
}

uint64_t SizeOf(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
}

// The files that no language claimed, by extension or name, in the order of their first
// file.
Table UnknownTable(const Vn::Data_Folder& root)
{
    std::vector<std::string> order;
    std::map<std::string, std::pair<uint64_t, uint64_t>> byKey; // files, bytes
    ForEachInTree<Vn::Data_Node>(root,
                                 [&](const Vn::Data_Node& node, size_t)
                                 {
                                     if (ChildrenOf(node) != nullptr || TypeOf(node) != "Unknown")
                                         return;
                                     const std::string key = UnknownKey(node.GetName());
                                     auto [entry, added] = byKey.try_emplace(key);
                                     if (added)
                                         order.push_back(key);
                                     entry->second.first++;
                                     entry->second.second += SizeOf(node.GetName());
                                 });
    Table table({"name", "files", "bytes"});
    std::pair<uint64_t, uint64_t> total;
    for (const std::string& key : order)
    {
        const auto [files, bytes] = byKey[key];
        table.Add({key, files, bytes});
        total = {total.first + files, total.second + bytes};
    }
    table.SetTotal({"total", total.first, total.second});
    return table;
}

} // namespace

const std::vector<std::string>& Kinds()
{
    static const std::vector<std::string> kinds = {"types", "files", "folders", "unknown"};
    return kinds;
}

std::vector<std::string> ColumnNames()
{
    const Vn::Data_Folder empty(".");
    std::vector<std::string> names = CensusReport::Build(empty, 0).Columns();
    for (const std::string& kind : Kinds())
    {
        const Table table = Build(empty, kind, 0);
        for (const std::string& column : table.Columns())
            if (std::find(names.begin(), names.end(), column) == names.end())
                names.push_back(column);
    }
    return names;
}

Table Build(const Vn::Data_Folder& root, const std::string& kind, size_t depth)
{
    if (kind == "unknown")
        return UnknownTable(root);
    const bool files = kind == "files";
    std::vector<std::string> columns = {kind.substr(0, kind.size() - 1)};
    if (files)
        columns.push_back("type");
    columns.insert(columns.end(), COLUMNS.begin() + (files ? 1 : 0), COLUMNS.end());
    Table table(std::move(columns));
    // The folders' table holds the root, their total, already.
    if (kind != "folders")
        table.SetTotal(
            RowOf(files ? Table::Row{"total", ""} : Table::Row{"total"}, TotalsOf(root.mCounters)));
    if (kind == "types")
    {
        AddTypes(table, root);
        return table;
    }
    ForEachInTree<Vn::Data_Node>(root,
                                 [&](const Vn::Data_Node& node, size_t nodeDepth)
                                 {
                                     const bool isFolder = ChildrenOf(node) != nullptr;
                                     if (files == isFolder || (!files && nodeDepth > depth))
                                         return;
                                     Table::Row names = {NameBelowRoot(node, root)};
                                     if (files)
                                         names.push_back(TypeOf(node));
                                     table.Add(RowOf(std::move(names), TotalsOf(node.mCounters)));
                                 });
    return table;
}

} // namespace VarnikCli::TableReport
