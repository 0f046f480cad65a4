#include "cli/TextReport.h"

#include "engine/counters/Counter_Group.h"
#include "engine/search/SearchResult_File.h"

#include <string_view>

namespace VarnikCli::TextReport
{
namespace
{

void WriteLine(std::ostream& out, unsigned depth, std::string_view text)
{
    out << std::string(depth * 2, ' ') << text << '\n';
}

// A line's text ends with the line as read; its LF, and a CR before it, are dropped.
std::string_view WithoutLineEnd(std::string_view text)
{
    if (text.ends_with('\n'))
    {
        text.remove_suffix(1);
        if (text.ends_with('\r'))
        {
            text.remove_suffix(1);
        }
    }
    return text;
}

void WriteCounter(std::ostream& out, const Vn::Counter& counter, const Vn::Counter* parent,
                  unsigned depth)
{
    WriteLine(out, depth, parent ? counter.GetInfo_Relative(*parent) : counter.GetInfo());
    if (const auto* group = dynamic_cast<const Vn::Counter_Group*>(&counter))
    {
        for (const auto& child : group->mCounters)
        {
            WriteCounter(out, *child, group, depth + 1);
        }
    }
}

void WriteResult(std::ostream& out, const Vn::SearchResult& result, unsigned depth)
{
    WriteLine(out, depth, result.GetText());
    if (const auto* folder = dynamic_cast<const Vn::SearchResult_Folder*>(&result))
    {
        for (const auto& child : folder->mResults)
        {
            WriteResult(out, *child, depth + 1);
        }
    }
    else if (const auto* file = dynamic_cast<const Vn::SearchResult_File*>(&result))
    {
        for (const auto& line : file->mLines)
        {
            WriteLine(out, depth + 1, WithoutLineEnd(line.GetText()));
        }
    }
}

} // namespace

void WriteCounters(std::ostream& out, const Vn::Data_Node& node)
{
    WriteLine(out, 0, node.GetName_Relative());
    for (const auto& counter : node.mCounters)
    {
        WriteCounter(out, *counter, nullptr, 1);
    }
}

void WriteResults(std::ostream& out, const Vn::SearchResult& root)
{
    WriteResult(out, root, 0);
}

} // namespace VarnikCli::TextReport
