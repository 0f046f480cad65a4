#pragma once

// Helpers of the parser tests: parse or search a file written to disk, and read its
// counters as the counter tree shows them.

#include "TempTree.h"
#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/parsers/FileParser_List.h"

#include <string>
#include <string_view>
#include <vector>

namespace VarnikTest
{

// One line per counter, children indented by two blanks: a count as "name = N", a
// histogram as "name:" followed by " value xoccurrences" per value.
inline void AppendCounters(std::string& text, const Vn::Counter_List& counters, int depth = 0)
{
    for (const auto& counter : counters)
    {
        text.append(2 * depth, ' ');
        if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(counter.get()))
        {
            text += std::string(histogram->GetName()) + ':';
            for (const auto& [value, occurrences] : histogram->GetValues())
                text += " " + std::to_string(value) + " x" + std::to_string(occurrences);
        }
        else
            text += counter->GetInfo();
        text += '\n';
        if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(counter.get()))
            AppendCounters(text, group->mCounters, depth + 1);
    }
}

inline std::string CounterText(const Vn::Data_Node& node)
{
    std::string text;
    AppendCounters(text, node.mCounters);
    return text;
}

// The count reached by following `names` down from the node, or 0 when there is none.
inline uint32_t CountAt(const Vn::Data_Node& node, std::initializer_list<const char*> names)
{
    const Vn::Counter_List* list = &node.mCounters;
    const Vn::Counter_Count* count = nullptr;
    for (const char* name : names)
    {
        count = dynamic_cast<const Vn::Counter_Count*>(list->Find(Vn::Counter_Count::TYPE, name));
        if (count == nullptr)
            return 0;
        list = &count->mCounters;
    }
    return count->GetCount();
}

// The line counts of a file as "blank B, code C, comment M, errors E".
inline std::string LineSummary(const Vn::Data_Node& node)
{
    return "blank " + std::to_string(CountAt(node, {"Line", "Blank"})) + ", code " +
           std::to_string(CountAt(node, {"Line", "Code"})) + ", comment " +
           std::to_string(CountAt(node, {"Line", "Comment"})) + ", errors " +
           std::to_string(CountAt(node, {"Parsing Error"}));
}

// A request for `text` that counts matches in the zones named in `zones`, among "code",
// "comment", "directive" and "string".
inline Vn::SearchRequest Request(const char* text, std::string_view zones)
{
    Vn::SearchRequest request;
    request.SetText(text);
    request.mFlags.InCode = zones.find("code") != std::string_view::npos;
    request.mFlags.InComment = zones.find("comment") != std::string_view::npos;
    request.mFlags.InDirective = zones.find("directive") != std::string_view::npos;
    request.mFlags.InString = zones.find("string") != std::string_view::npos;
    return request;
}

// A registry as Varnik fills it, and a throw-away folder for the files it reads.
class ParserTest
{
public:
    ParserTest() { mParsers.CreateParsers(); }

    std::unique_ptr<Vn::Data_Node> Parse(std::string_view name, std::string_view content)
    {
        mTree.File(name, content);
        return mParsers.Parse(mTree.Path(name).c_str());
    }

    // The numbers of the matching lines.
    std::vector<uint32_t> SearchLines(std::string_view name, std::string_view content,
                                      const Vn::SearchRequest& request)
    {
        mTree.File(name, content);
        std::vector<uint32_t> numbers;
        if (const auto result = mParsers.Search(mTree.Path(name).c_str(), request))
        {
            for (const auto& line : result->mLines)
                numbers.push_back(line.mLine);
        }
        return numbers;
    }

    TempTree mTree;
    Vn::FileParser_List mParsers;
};

using Lines = std::vector<uint32_t>;

} // namespace VarnikTest
