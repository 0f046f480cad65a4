#include "cli/Highlight.h"

#include <algorithm>

namespace VarnikCli
{
namespace
{

constexpr char MATCH_START[] = "\x1b[1;31m";
constexpr char MATCH_END[] = "\x1b[0m";

} // namespace

void WriteHighlighted(Output& out, std::string_view line, Spans spans)
{
    size_t shown = 0;
    for (const auto& span : spans)
    {
        const size_t end = std::min<size_t>(size_t{span.mOffset} + span.mLength, line.size());
        if (span.mOffset >= end)
            break;
        out.Text(line.substr(shown, span.mOffset - shown)) << MATCH_START;
        out.Text(line.substr(span.mOffset, end - span.mOffset)) << MATCH_END;
        shown = end;
    }
    out.Text(line.substr(shown));
}

} // namespace VarnikCli
