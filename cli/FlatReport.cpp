#include "cli/FlatReport.h"

#include "cli/Highlight.h"
#include "cli/TreeReport.h"
#include "cli/TreeWalk.h"

namespace VarnikCli::FlatReport
{

void Writer::WriteFile(const Vn::SearchResult_File& file)
{
    if (mOptions.mForm == Form::Files)
    {
        mOut.Text(file.GetName()) << (mOptions.mNull ? '\0' : '\n');
        return;
    }
    if (mOptions.mForm == Form::Counts)
    {
        WritePath(file);
        mOut << file.GetCount() << '\n';
        return;
    }
    for (const auto& line : file.mLines)
    {
        WritePath(file);
        mOut << line.mLine << ':';
        WriteHighlighted(mOut, TreeReport::WithoutLineEnd(line.mText.c_str()), mOptions.mHighlight);
        mOut << '\n';
    }
}

void Writer::WritePath(const Vn::SearchResult_File& file)
{
    mOut.Text(file.GetName()) << (mOptions.mNull ? '\0' : ':');
}

void Write(Output& out, const Vn::SearchResult_Folder& root, const Options& options)
{
    Writer writer(out, options);
    ForEachInTree<Vn::SearchResult>(root,
                                    [&](const Vn::SearchResult& result, size_t)
                                    {
                                        if (const auto* file =
                                                dynamic_cast<const Vn::SearchResult_File*>(&result))
                                            writer.WriteFile(*file);
                                    });
}

} // namespace VarnikCli::FlatReport
