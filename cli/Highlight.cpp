#include "cli/Highlight.h"

#include <string>

namespace VarnikCli
{
namespace
{

constexpr char MATCH_START[] = "\x1b[1;31m";
constexpr char MATCH_END[] = "\x1b[0m";

} // namespace

void WriteHighlighted(Output& out, std::string_view line, const Vn::SearchRequest* request)
{
    if (request == nullptr)
    {
        out.Text(line);
        return;
    }
    // The request reads a line up to a NUL, which the view lacks.
    const std::string text(line);
    size_t shown = 0;
    for (size_t at = 0; at < text.size(); ++at)
    {
        const size_t end = request->MatchEnd(text, at);
        if (end == Vn::SearchRequest::NO_MATCH || end == at)
            continue;
        out.Text(line.substr(shown, at - shown)) << MATCH_START;
        out.Text(line.substr(at, end - at)) << MATCH_END;
        at = end - 1;
        shown = end;
    }
    out.Text(line.substr(shown));
}

} // namespace VarnikCli
