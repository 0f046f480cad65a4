#pragma once

#include "engine/parsers/FileParser_Text.h"

namespace Vn
{

// Command files, of type "cmd": a comment line is a "rem" statement, in any letter
// case, after optional spaces and tabs.
class FileParser_Cmd : public FileParser_Text
{
public:
    inline static constexpr char TYPE[] = "cmd";

    FileParser_Cmd();

protected:
    bool IsComment(const char* line) override;
};

} // namespace Vn
