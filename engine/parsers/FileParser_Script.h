#pragma once

#include "engine/parsers/FileParser_Text.h"

namespace Vn
{

// Shell scripts and ignore files: a comment line starts with "#" in its first column.
// Nothing else is recognised, so code followed by a comment is a code line.
class FileParser_Script : public FileParser_Text
{
public:
    explicit FileParser_Script(const char* type);

    std::unique_ptr<FileParser> Clone(const char* type) const override;

protected:
    bool IsComment(const char* line) override;
};

} // namespace Vn
