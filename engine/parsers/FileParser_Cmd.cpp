#include "engine/parsers/FileParser_Cmd.h"

#include "lib/Ascii.h"

namespace Vn
{

bool FileParser_Cmd::IsComment(const char* line, const ReadingContext& /*context*/) const
{
    while (*line == ' ' || *line == '\t')
        line++;
    if (!TrovLib::Ascii::EqualFolded(line, "rem", 3))
        return false;
    // "rem" must be a word of its own: remark and rem: are code.
    const char after = line[3];
    return after == '\0' || after == '\n' || after == '\r' || after == '\t' || after == ' ';
}

} // namespace Vn
