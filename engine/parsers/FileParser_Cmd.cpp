#include "engine/parsers/FileParser_Cmd.h"

#include <strings.h>

namespace Vn
{

FileParser_Cmd::FileParser_Cmd() : FileParser_Text(TYPE) {}

bool FileParser_Cmd::IsComment(const char* line)
{
    while (*line == ' ' || *line == '\t')
        line++;
    if (strncasecmp(line, "rem", 3) != 0)
        return false;
    // "rem" must be a word of its own: remark and rem: are code.
    const char after = line[3];
    return after == '\0' || after == '\n' || after == '\r' || after == '\t' || after == ' ';
}

} // namespace Vn
