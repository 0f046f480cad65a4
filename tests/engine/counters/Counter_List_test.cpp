#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/counters/Counter_List.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Vn::Counter_Count;
using Vn::Counter_Histogram;
using Vn::Counter_List;

namespace
{

// The list as the counter tree shows it: one line per counter, children indented.
void Describe(const Counter_List& list, const std::string& indent, std::vector<std::string>& out)
{
    for (const auto& counter : list)
    {
        out.push_back(indent + counter->GetInfo());
        if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(counter.get()))
            Describe(group->mCounters, indent + "  ", out);
    }
}

std::vector<std::string> Describe(const Counter_List& list)
{
    std::vector<std::string> out;
    Describe(list, "", out);
    return out;
}

Counter_Count* AddCount(Counter_List& list, const char* name, uint32_t count)
{
    return list.Append(std::make_unique<Counter_Count>(name, count));
}

// The counters of a parsed file: "File" with its type, and its line counts.
void FillFile(Counter_List& list, const char* type, uint32_t lines)
{
    AddCount(AddCount(list, "File", 1)->mCounters, type, 1);
    auto* line = AddCount(list, "Line", lines);
    AddCount(line->mCounters, "Blank", 0);
    AddCount(line->mCounters, "Code", lines);
}

TEST(Counter_List, MergeIntoEmptyCopiesInOrder)
{
    Counter_List file;
    FillFile(file, "cpp", 3);
    Counter_List folder;
    folder.Add(file);
    EXPECT_EQ(Describe(folder), Describe(file));
}

TEST(Counter_List, MergeOfEmptyChangesNothing)
{
    Counter_List folder;
    FillFile(folder, "cpp", 3);
    const auto before = Describe(folder);
    folder.Add(Counter_List());
    EXPECT_EQ(Describe(folder), before);
}

TEST(Counter_List, NewCountersFollowExistingOnesInOrderOfFirstAppearance)
{
    Counter_List folder;
    FillFile(folder, "txt", 2);
    Counter_List file;
    AddCount(file, "Parsing Error", 1);
    FillFile(file, "cpp", 5);

    folder.Add(file);

    EXPECT_EQ(Describe(folder),
              (std::vector<std::string>{"File = 2", "  txt = 1", "  cpp = 1", "Line = 7",
                                        "  Blank = 0", "  Code = 7", "Parsing Error = 1"}));
}

TEST(Counter_List, MergingTwiceDoubles)
{
    Counter_List file;
    FillFile(file, "cpp", 3);
    Counter_List folder;
    folder.Add(file);
    folder.Add(file);
    EXPECT_EQ(Describe(folder), (std::vector<std::string>{"File = 2", "  cpp = 2", "Line = 6",
                                                          "  Blank = 0", "  Code = 6"}));
}

TEST(Counter_List, SameNameInOneSourceCollapses)
{
    Counter_List source;
    AddCount(source, "X", 2);
    AddCount(source, "X", 3);
    Counter_List target;
    target.Add(source);
    EXPECT_EQ(Describe(target), (std::vector<std::string>{"X = 5"}));
}

TEST(Counter_List, NamesAndClassesKeepCountersApart)
{
    Counter_List source;
    AddCount(source, "Code", 1);
    AddCount(source, "code", 2);
    source.Append(std::make_unique<Counter_Histogram>("Code", "lines", "files"));
    Counter_List target;
    target.Add(source);
    target.Add(source);
    EXPECT_EQ(Describe(target),
              (std::vector<std::string>{"Code = 2", "code = 4", "Code (Histogram)"}));
}

TEST(Counter_List, FindComparesTypeByIdentity)
{
    Counter_List list;
    AddCount(list, "File", 1);
    const std::string sameText = "Count";
    EXPECT_NE(list.Find(Counter_Count::TYPE, "File"), nullptr);
    EXPECT_EQ(list.Find(sameText.c_str(), "File"), nullptr);
    EXPECT_EQ(list.Find(Counter_Count::TYPE, "file"), nullptr);
}

TEST(Counter_List, LargeListsKeepOrderAndFirstMatch)
{
    Counter_List names;
    std::vector<std::string> expected;
    for (int i = 0; i < 100; i++)
    {
        const std::string name = "NAME_" + std::to_string(i % 60);
        AddCount(names, name.c_str(), 1);
    }
    Counter_List folder;
    folder.Add(names);
    folder.Add(names);
    for (int i = 0; i < 60; i++)
        expected.push_back("NAME_" + std::to_string(i) + " = " + (i < 40 ? "4" : "2"));
    EXPECT_EQ(Describe(folder), expected);

    // A duplicate appended by hand is never found before the original.
    Counter_Count* first = dynamic_cast<Counter_Count*>(folder.Find(Counter_Count::TYPE, "NAME_7"));
    AddCount(folder, "NAME_7", 9);
    EXPECT_EQ(folder.Find(Counter_Count::TYPE, "NAME_7"), first);
}

} // namespace
