#include "cli/FlatReport.h"

#include "cli/TreeReport.h"
#include "engine/parsers/LineReader.h"

namespace VarnikCli::FlatReport
{

void Writer::WriteFile(const std::string& path, Vn::SearchHits hits)
{
    if (mOptions.mForm == Form::Files)
    {
        mOut.Text(path) << (mOptions.mNull ? '\0' : '\n');
        return;
    }
    if (mOptions.mForm == Form::Counts)
    {
        WritePath(path, ':');
        mOut << hits.GetLineCount() << '\n';
        return;
    }
    if ((mOptions.mBefore != 0 || mOptions.mAfter != 0) && WriteWithContext(path, hits))
        return;
    for (size_t index = 0; index < hits.GetLineCount(); index++)
        WriteLine(path, hits.GetLineNumber(index), hits.GetLineText(index), true,
                  SpansOf(hits, index));
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

Spans Writer::SpansOf(Vn::SearchHits hits, size_t index) const
{
    return mOptions.mHighlight ? hits.GetSpans(index) : Spans();
}

// A line is shown when it lies within the reach of a match; "--" parts groups that do
// not touch, in one file or across files.
bool Writer::WriteWithContext(const std::string& path, Vn::SearchHits hits)
{
    Vn::LineReader reader;
    if (!reader.Open(path.c_str()))
        return false;
    const size_t end = hits.GetLineCount();
    size_t next = 0;    // the first match at or after the line read
    uint64_t reach = 0; // the last line shown after the matches before it
    uint64_t shown = 0;
    uint64_t number = 0;
    while (const char* line = reader.Next())
    {
        number++;
        for (; next != end && hits.GetLineNumber(next) < number; ++next)
            reach = hits.GetLineNumber(next) + mOptions.mAfter;
        const bool ahead = next != end && number + mOptions.mBefore >= hits.GetLineNumber(next);
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
        const bool matching = next != end && hits.GetLineNumber(next) == number;
        WriteLine(path, number, line, matching, matching ? SpansOf(hits, next) : Spans());
    }
    return true;
}

} // namespace VarnikCli::FlatReport
