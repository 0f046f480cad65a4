#include "cli/FlatReport.h"

#include "cli/Highlight.h"
#include "cli/TreeReport.h"
#include "cli/TreeWalk.h"
#include "engine/search/SearchResult_File.h"

namespace VarnikCli::FlatReport
{
namespace
{

void WriteFile(Output& out, const Vn::SearchResult_File& file, Form form,
               const Vn::SearchRequest* highlight)
{
    if (form != Form::Lines)
    {
        out.Text(file.GetName());
        if (form == Form::Counts)
            out << ':' << file.GetCount();
        out << '\n';
        return;
    }
    for (const auto& line : file.mLines)
    {
        out.Text(file.GetName()) << ':' << line.mLine << ':';
        WriteHighlighted(out, TreeReport::WithoutLineEnd(line.mText.c_str()), highlight);
        out << '\n';
    }
}

} // namespace

void Write(Output& out, const Vn::SearchResult_Folder& root, Form form,
           const Vn::SearchRequest* highlight)
{
    ForEachInTree<Vn::SearchResult>(root,
                                    [&](const Vn::SearchResult& result, size_t)
                                    {
                                        if (const auto* file =
                                                dynamic_cast<const Vn::SearchResult_File*>(&result))
                                            WriteFile(out, *file, form, highlight);
                                    });
}

} // namespace VarnikCli::FlatReport
