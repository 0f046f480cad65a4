#pragma once

// Small trees built in memory, shared by the report tests.

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/search/SearchResult_File.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"

#include <initializer_list>
#include <memory>
#include <utility>

namespace VarnikCliTest
{

using Children = std::initializer_list<std::pair<const char*, uint32_t>>;

// A count with plain counts as children.
inline std::unique_ptr<Vn::Counter_Count> Count(const char* name, uint32_t count,
                                                Children children = {})
{
    auto counter = std::make_unique<Vn::Counter_Count>(name, count);
    for (const auto& [childName, childCount] : children)
    {
        counter->mCounters.Append(std::make_unique<Vn::Counter_Count>(childName, childCount));
    }
    return counter;
}

// The counters of a text file of 10 lines: 2 blank and 8 code.
inline void AddTextFileCounters(Vn::Counter_List& counters)
{
    counters.Append(Count("File", 1, {{"txt", 1}}));
    counters.Append(Count("Line", 10, {{"Blank", 2}, {"Code", 8}, {"Comment", 0}}));
    counters.Append(Count("txt", 10, {{"Blank", 2}, {"Code", 8}, {"Comment", 0}}));
    auto length = std::make_unique<Vn::Counter_Histogram>("File Length", "lines", "files");
    length->AddValue(10, 1);
    counters.Append(std::move(length));
}

// proj holding b.txt and the folder src, which holds a.txt; the folder holds the totals.
inline std::unique_ptr<Vn::Data_Folder> ScannedProject()
{
    auto src = std::make_unique<Vn::Data_Folder>("src");
    auto a = std::make_unique<Vn::Data_Node>("/work/proj/src/a.txt");
    AddTextFileCounters(a->mCounters);
    src->AddNode(std::move(a));
    auto root = std::make_unique<Vn::Data_Folder>("/work/proj");
    auto b = std::make_unique<Vn::Data_Node>("/work/proj/b.txt");
    AddTextFileCounters(b->mCounters);
    root->AddNode(std::move(b));
    root->AddNode(std::move(src));
    return root;
}

// proj holding src/core/a.cpp with two matching lines and b.txt with one.
inline std::unique_ptr<Vn::SearchResult_Folder> SearchedProject()
{
    auto a = std::make_unique<Vn::SearchResult_File>("/work/proj/src/core/a.cpp");
    a->AddLine(3, "int x;\r\n");
    a->AddLine(7, "x++;");
    auto core = std::make_unique<Vn::SearchResult_Folder>("src/core");
    core->AddResult(std::move(a));
    auto src = std::make_unique<Vn::SearchResult_Folder>("src");
    src->AddResult(std::move(core));
    auto b = std::make_unique<Vn::SearchResult_File>("/work/proj/b.txt");
    b->AddLine(1, "x\n");
    auto root = std::make_unique<Vn::SearchResult_Folder>("/work/proj");
    root->AddResult(std::move(src));
    root->AddResult(std::move(b));
    return root;
}

} // namespace VarnikCliTest
