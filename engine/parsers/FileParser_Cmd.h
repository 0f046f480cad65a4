#pragma once

#include "engine/parsers/FileParser_Text.h"

namespace Vn
{

// The compiled parser of command files: a comment line is a "rem" statement, in any
// letter case, after optional spaces and tabs.
class FileParser_Cmd : public FileParser_Text
{
protected:
    bool IsComment(const char* line, const ReadingContext& context) const override;
};

} // namespace Vn
