#include "engine/parsers/FileParser_Script.h"

namespace Vn
{

bool FileParser_Script::IsComment(const char* line, const ReadingContext& /*context*/) const
{
    return line[0] == '#';
}

} // namespace Vn
