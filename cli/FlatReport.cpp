#include "cli/FlatReport.h"

#include "cli/Highlight.h"
#include "cli/TreeReport.h"
#include "cli/TreeWalk.h"
#include "engine/search/SearchResult_File.h"

namespace VarnikCli::FlatReport
{
namespace
{

const auto* FolderResults(const Vn::SearchResult& result)
{
    const auto* folder = dynamic_cast<const Vn::SearchResult_Folder*>(&result);
    return folder ? &folder->mResults : nullptr;
}

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
    WalkTree<Vn::SearchResult>(
        root, FolderResults,
        [&](const Vn::SearchResult& result, size_t)
        {
            if (const auto* file = dynamic_cast<const Vn::SearchResult_File*>(&result))
                WriteFile(out, *file, form, highlight);
        },
        [](const Vn::SearchResult&, size_t) {});
}

} // namespace VarnikCli::FlatReport
