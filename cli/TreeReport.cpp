#include "cli/TreeReport.h"

#include "cli/Highlight.h"
#include "engine/counters/Counter_Group.h"
#include "engine/search/SearchResult_File.h"
#include "engine/tree/NodeCounters.h"
#include "engine/tree/TreeWalk.h"

#include <string>

namespace VarnikCli::TreeReport
{
namespace
{

Output& Indent(Output& out, size_t depth)
{
    return out << std::string(depth * 2, ' ');
}

// Counters nest a few levels at most, so they may recurse.
void WriteCounter(Output& out, const Vn::Counter& counter, const Vn::Counter* parent,
                  unsigned depth)
{
    Indent(out, depth).Text(parent ? counter.GetInfo_Relative(*parent) : counter.GetInfo()) << '\n';
    if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter))
    {
        for (const auto& child : group->mCounters)
            WriteCounter(out, *child, group, depth + 1);
    }
}

} // namespace

std::string_view WithoutLineEnd(std::string_view text)
{
    if (text.ends_with('\n'))
    {
        text.remove_suffix(1);
        if (text.ends_with('\r'))
            text.remove_suffix(1);
    }
    return text;
}

void WriteCounters(Output& out, const Vn::Data_Node& node)
{
    out.Text(node.GetName_Relative()) << '\n';
    for (const auto& counter : Vn::NodeCounters(node))
        WriteCounter(out, *counter, nullptr, 1);
}

void WriteResults(Output& out, const Vn::SearchResult& root, bool highlight)
{
    Vn::ForEachInTree<Vn::SearchResult>(
        root,
        [&](const Vn::SearchResult& result, size_t depth)
        {
            Indent(out, depth).Text(result.GetText()) << '\n';
            if (result.IsFolder())
                return;
            const Vn::SearchHits hits = static_cast<const Vn::SearchResult_File&>(result).GetHits();
            for (size_t index = 0; index < hits.GetLineCount(); index++)
            {
                Indent(out, depth + 1) << "Line " << hits.GetLineNumber(index) << " : ";
                WriteHighlighted(out, WithoutLineEnd(hits.GetLineText(index)),
                                 highlight ? hits.GetSpans(index) : Spans());
                out << '\n';
            }
        });
}

} // namespace VarnikCli::TreeReport
