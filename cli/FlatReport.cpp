#include "cli/FlatReport.h"

#include "cli/TreeReport.h"
#include "engine/parsers/LineReader.h"

namespace VarnikCli::FlatReport
{

void Writer::WriteFile(const Vn::SearchResult_File& file)
{
    const std::string path = file.GetName();
    if (mOptions.mForm == Form::Files)
    {
        mOut.Text(path) << (mOptions.mNull ? '\0' : '\n');
        return;
    }
    if (mOptions.mForm == Form::Counts)
    {
        WritePath(path, ':');
        mOut << file.GetCount() << '\n';
        return;
    }
    if ((mOptions.mBefore != 0 || mOptions.mAfter != 0) && WriteWithContext(file, path))
        return;
    for (size_t index = 0; index < file.GetLines().size(); index++)
        WriteLine(path, file.GetLines()[index].mLine, file.GetLineText(index), true,
                  SpansOf(file, index));
}

void Writer::WritePath(const std::string& path, char separator)
{
    mOut.Text(path) << (mOptions.mNull ? '\0' : separator);
}

// "path:line:text" for a match, "path-line-text" for a line around one.
void Writer::WriteLine(const std::string& path, uint64_t number, std::string_view text, bool match,
                       Spans spans)
{
    const char separator = match ? ':' : '-';
    WritePath(path, separator);
    mOut << number << separator;
    WriteHighlighted(mOut, TreeReport::WithoutLineEnd(text), spans);
    mOut << '\n';
}

Spans Writer::SpansOf(const Vn::SearchResult_File& file, size_t index) const
{
    return mOptions.mHighlight ? file.GetSpans(index) : Spans();
}

// A line is shown when it lies within the reach of a match; "--" parts groups that do
// not touch, in one file or across files.
bool Writer::WriteWithContext(const Vn::SearchResult_File& file, const std::string& path)
{
    Vn::LineReader reader;
    if (!reader.Open(path.c_str()))
        return false;
    const auto end = file.GetLines().end();
    auto next = file.GetLines().begin(); // the first match at or after the line read
    uint64_t reach = 0;                  // the last line shown after the matches before it
    uint64_t shown = 0;
    uint64_t number = 0;
    while (const char* line = reader.Next())
    {
        number++;
        for (; next != end && next->mLine < number; ++next)
            reach = next->mLine + mOptions.mAfter;
        const bool ahead = next != end && number + mOptions.mBefore >= next->mLine;
        if (!ahead && number > reach)
        {
            if (next == end)
                break;
            continue;
        }
        if (mGroupWritten && (shown == 0 || number != shown + 1))
            mOut << "--\n";
        mGroupWritten = true;
        shown = number;
        const bool matching = next != end && next->mLine == number;
        WriteLine(path, number, line, matching,
                  matching ? SpansOf(file, next - file.GetLines().begin()) : Spans());
    }
    return true;
}

} // namespace VarnikCli::FlatReport
