#include "TreeText.h"

#include "engine/counters/Counter_Count.h"
#include "engine/counters/Counter_Histogram.h"
#include "engine/search/SearchResult_File.h"
#include "engine/search/SearchResult_Folder.h"
#include "engine/tree/Data_Folder.h"
#include "engine/tree/NodeCounters.h"
#include "engine/tree/TreeWalk.h"

#include <sstream>
#include <stdexcept>

namespace VarnikTest
{

namespace
{

void DescribeCounter(const Vn::Counter& counter, const Vn::Counter* parent,
                     const std::string& indent, std::string& out)
{
    out += indent + (parent ? counter.GetInfo_Relative(*parent) : counter.GetInfo());
    if (const auto* histogram = dynamic_cast<const Vn::Counter_Histogram*>(&counter))
    {
        out += std::string(" ") + histogram->GetUnitX() + "/" + histogram->GetUnitY() + ":";
        for (const auto& [value, occurrences] : histogram->GetValues())
            out += " " + std::to_string(value) + " x" + std::to_string(occurrences);
    }
    out += '\n';
    if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter))
        for (const auto& child : group->mCounters)
            DescribeCounter(*child, &counter, indent + "  ", out);
}

void AddHistogram(Vn::Counter_List& counters, const std::string& name, const std::string& values)
{
    auto* histogram =
        counters.Append(std::make_unique<Vn::Counter_Histogram>(name.c_str(), "lines", "files"));
    std::istringstream in(values);
    uint64_t value, occurrences;
    char times;
    while (in >> value >> times >> occurrences)
        histogram->AddValue(value, occurrences);
}

// Reads siblings from `at` up to a closing bracket or the end; answers where it stopped.
size_t AddSiblings(Vn::Counter_List& counters, std::string_view text, size_t at)
{
    while (at < text.size() && text[at] != ']')
    {
        const size_t mark = text.find_first_of("=~", at);
        if (mark == std::string_view::npos)
            throw std::invalid_argument("no value in " + std::string(text.substr(at)));
        const std::string name(text.substr(at, mark - at));
        at = std::min(text.find_first_of(",[]", mark), text.size());
        const std::string value(text.substr(mark + 1, at - mark - 1));
        if (text[mark] == '~')
            AddHistogram(counters, name, value);
        else
        {
            auto* count = counters.Append(
                std::make_unique<Vn::Counter_Count>(name.c_str(), std::stoull(value)));
            if (at < text.size() && text[at] == '[')
                at = AddSiblings(count->mCounters, text, at + 1) + 1;
        }
        if (at < text.size() && text[at] == ',')
            at += 2;
    }
    return at;
}

} // namespace

std::string Describe(const Vn::Counter_List& counters)
{
    std::string out;
    for (const auto& counter : counters)
        DescribeCounter(*counter, nullptr, "", out);
    return out;
}

std::string DescribeNode(const Vn::Data_Node& node)
{
    return Describe(Vn::NodeCounters(node).Get());
}

std::string Describe(const Vn::Data_Node& root)
{
    std::string out;
    Vn::ForEachInTree(root,
                      [&out](const Vn::Data_Node& node, size_t)
                      {
                          out += "node " + node.GetName() + "\n";
                          for (const auto& counter : Vn::NodeCounters(node))
                              DescribeCounter(*counter, nullptr, "  ", out);
                      });
    return out;
}

std::string Describe(const Vn::SearchResult& root)
{
    std::string out;
    Vn::ForEachInTree(root,
                      [&out](const Vn::SearchResult& result, size_t depth)
                      {
                          const std::string indent(2 * depth, ' ');
                          out += indent + result.GetText() + " " + result.GetName() + "\n";
                          if (result.IsFolder())
                              return;
                          const Vn::SearchHits hits =
                              static_cast<const Vn::SearchResult_File&>(result).GetHits();
                          for (size_t index = 0; index < hits.GetLineCount(); index++)
                              out += indent + "  " + hits.GetLineRow(index) +
                                     (hits.GetLineText(index).ends_with('\n') ? "" : "\n");
                      });
    return out;
}

void AddCounters(Vn::Counter_List& counters, std::string_view text)
{
    if (AddSiblings(counters, text, 0) != text.size())
        throw std::invalid_argument("unbalanced brackets in " + std::string(text));
}

std::string DescribeCounters(std::string_view text)
{
    Vn::Counter_List counters;
    AddCounters(counters, text);
    return Describe(counters);
}

} // namespace VarnikTest
