#pragma once

// Parse or search a file written to disk, and read its counters as the counter tree shows.

#include "TempTree.h"
#include "TreeText.h"
#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/parsers/FileParser_List.h"
#include "engine/tree/NodeCounters.h"

#include <string>
#include <string_view>
#include <vector>

namespace VarnikTest
{

using Lines = std::vector<uint32_t>;

// The count reached by following `names` down from the node, or 0 when there is none.
inline uint32_t CountAt(const Vn::Data_Node& node, std::initializer_list<const char*> names)
{
    const Vn::NodeCounters counters(node);
    const Vn::Counter_List* list = &counters.Get();
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

// "blank B, code C, comment M, errors E" from the children of `group`.
inline std::string LineSummary(const Vn::Data_Node& node, const char* group = "Line")
{
    return "blank " + std::to_string(CountAt(node, {group, "Blank"})) + ", code " +
           std::to_string(CountAt(node, {group, "Code"})) + ", comment " +
           std::to_string(CountAt(node, {group, "Comment"})) + ", errors " +
           std::to_string(CountAt(node, {"Parsing Error"}));
}

constexpr unsigned CODE = 1, COMMENT = 2, DIRECTIVE = 4, STRING = 8, IGNORE_CASE = 16;

// The zones searched and the case mode as bits.
inline Vn::SearchRequest Request(const char* text, unsigned bits)
{
    Vn::SearchRequest request;
    request.SetText(text);
    request.mFlags.InCode = bits & 1;
    request.mFlags.InComment = bits & 2;
    request.mFlags.InDirective = bits & 4;
    request.mFlags.InString = bits & 8;
    request.mFlags.CaseSensitive = (bits & 16) == 0;
    return request;
}

inline Lines FoundLines(const Vn::FileParser_List& parsers, const std::string& path,
                        const Vn::SearchRequest& request)
{
    Lines lines;
    Vn::ReadingContext context;
    if (const auto result = parsers.Search(path.c_str(), request, context))
    {
        for (size_t index = 0; index < result->GetHits().GetLineCount(); index++)
            lines.push_back(result->GetHits().GetLineNumber(index));
    }
    return lines;
}

// A registry as Varnik fills it, a reading context, and a throw-away folder for the files
// it reads.
class ParserTest
{
public:
    ParserTest() { mParsers.CreateParsers(); }

    std::unique_ptr<Vn::Data_Node> Parse(std::string_view name, std::string_view content)
    {
        mTree.File(name, content);
        return mParsers.Parse(mTree.Path(name).c_str(), mContext);
    }

    Lines SearchLines(std::string_view name, std::string_view content,
                      const Vn::SearchRequest& request)
    {
        mTree.File(name, content);
        return FoundLines(mParsers, mTree.Path(name), request);
    }

    TempTree mTree;
    Vn::FileParser_List mParsers;
    Vn::ReadingContext mContext;
};

} // namespace VarnikTest
