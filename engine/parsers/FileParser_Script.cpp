#include "engine/parsers/FileParser_Script.h"

namespace Vn
{

FileParser_Script::FileParser_Script(const char* type) : FileParser_Text(type) {}

std::unique_ptr<FileParser> FileParser_Script::Clone(const char* type) const
{
    return std::make_unique<FileParser_Script>(type);
}

bool FileParser_Script::IsComment(const char* line)
{
    return line[0] == '#';
}

} // namespace Vn
