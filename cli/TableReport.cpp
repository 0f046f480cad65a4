#include "cli/TableReport.h"

#include "cli/CensusReport.h"
#include "cli/NodeNames.h"
#include "engine/tree/CounterSchema.h"
#include "engine/tree/TreeWalk.h"
#include "lib/Path.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <sys/stat.h>

namespace VarnikCli::TableReport
{
namespace
{

const std::vector<std::string> COLUMNS = {"files",   "lines",     "blank", "code",
                                          "comment", "directive", "errors"};

using Vn::Schema::Totals;
using Vn::Schema::TotalsOf;
using Vn::Schema::TypeOf;

// The name cells, then the totals in the order of COLUMNS; a file's row leaves out its
// file count, always 1.
Table::Row RowOf(Table::Row names, const Totals& totals)
{
    if (names.size() == 1)
        names.push_back(totals.mFiles);
    names.insert(names.end(), {totals.mLines, totals.mBlank, totals.mCode, totals.mComment,
                               totals.mDirective, totals.mErrors});
    return names;
}

void AddTypes(Table& table, const Vn::Data_Folder& root)
{
    std::vector<std::string> order;
    std::map<std::string, Totals> byType;
    if (const Vn::Counter_Count* files =
            Vn::Schema::FindCount(root.mCounters, Vn::Schema::NAME_FILE))
    {
        for (const auto& type : files->mCounters)
            order.push_back(type->GetName());
    }
    Vn::ForEachInTree<Vn::Data_Node>(root,
                                     [&byType](const Vn::Data_Node& node, size_t)
                                     {
                                         if (node.IsFolder())
                                             return;
                                         byType[std::string(TypeOf(node))] += TotalsOf(node);
                                     });
    for (const std::string& type : order)
        table.Add(RowOf({type}, byType[type]));
}

// What a user could map: the extension of a file of no known language (".conf"), or its
// whole name when it has none.
std::string UnknownKey(std::string_view path)
{
    const std::string_view name = TrovLib::LastComponent(path);
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
    Vn::ForEachInTree<Vn::Data_Node>(
        root,
        [&](const Vn::Data_Node& node, size_t)
        {
            if (node.IsFolder() || TypeOf(node) != Vn::Schema::NAME_UNKNOWN)
                return;
            const std::string key = UnknownKey(node.GetName_Relative());
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
        const Table table = Build(empty, kind, 0, true);
        for (const std::string& column : table.Columns())
            if (std::find(names.begin(), names.end(), column) == names.end())
                names.push_back(column);
    }
    return names;
}

Table Build(const Vn::Data_Folder& root, const std::string& kind, size_t depth, bool labels)
{
    if (kind == "unknown")
        return UnknownTable(root);
    const bool files = kind == "files";
    std::vector<std::string> columns = {kind.substr(0, kind.size() - 1)};
    if (files)
        columns.push_back("type");
    columns.insert(columns.end(), COLUMNS.begin() + (files ? 1 : 0), COLUMNS.end());
    labels = labels && files;
    if (labels)
        columns.emplace_back("label");
    Table table(std::move(columns));
    // The folders' table holds the root, their total, already.
    if (kind != "folders")
    {
        Table::Row total =
            RowOf(files ? Table::Row{"total", ""} : Table::Row{"total"}, TotalsOf(root.mCounters));
        if (labels)
            total.emplace_back("");
        table.SetTotal(std::move(total));
    }
    if (kind == "types")
    {
        AddTypes(table, root);
        return table;
    }
    Vn::ForEachInTree<Vn::Data_Node>(root,
                                     [&](const Vn::Data_Node& node, size_t nodeDepth)
                                     {
                                         const bool isFolder = node.IsFolder();
                                         if (files == isFolder || (!files && nodeDepth > depth))
                                             return;
                                         Table::Row names = {NameBelowRoot(node, root)};
                                         if (files)
                                             names.push_back(std::string(TypeOf(node)));
                                         Table::Row row = RowOf(std::move(names), TotalsOf(node));
                                         if (labels)
                                             row.emplace_back(Vn::FileLabels::Id(node.mLabel));
                                         table.Add(std::move(row));
                                     });
    return table;
}

} // namespace VarnikCli::TableReport
