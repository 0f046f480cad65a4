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
    const size_t length = request ? request->mText.size() : 0;
    if (length == 0)
    {
        out.Text(line);
        return;
    }
    // Compare reads up to a NUL, which the view lacks.
    const std::string text(line);
    size_t shown = 0;
    for (size_t at = 0; at + length <= text.size(); ++at)
    {
        if (!request->Compare(text.c_str() + at))
            continue;
        out.Text(line.substr(shown, at - shown)) << MATCH_START;
        out.Text(line.substr(at, length)) << MATCH_END;
        at += length - 1;
        shown = at + 1;
    }
    out.Text(line.substr(shown));
}

} // namespace VarnikCli
