#pragma once

#include "engine/parsers/FileParser_Text.h"

namespace Vn
{

// The compiled parser of shell scripts and ignore files: a comment line starts with "#"
// in its first column. Nothing else is recognised, so code followed by a comment is a
// code line.
class FileParser_Script : public FileParser_Text
{
protected:
    bool IsComment(const char* line, const ReadingContext& context) const override;
};

} // namespace Vn
