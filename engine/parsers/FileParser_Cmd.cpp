#include "engine/parsers/FileParser_Cmd.h"

#include "lib/Ascii.h"

namespace Vn
{

FileParser_Cmd::FileParser_Cmd(const char* type) : FileParser_Text(type) {}

std::unique_ptr<FileParser> FileParser_Cmd::Clone(const char* type) const
{
    return std::make_unique<FileParser_Cmd>(type);
}

bool FileParser_Cmd::IsComment(const char* line)
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
