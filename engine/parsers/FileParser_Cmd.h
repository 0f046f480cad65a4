#pragma once

#include "engine/parsers/FileParser_Text.h"

namespace Vn
{

// Command files, of type "cmd" unless registered under another name: a comment line
// is a "rem" statement, in any letter case, after optional spaces and tabs.
class FileParser_Cmd : public FileParser_Text
{
public:
    inline static constexpr char TYPE[] = "cmd";

    explicit FileParser_Cmd(const char* type = TYPE);

    std::unique_ptr<FileParser> Clone(const char* type) const override;

protected:
    bool IsComment(const char* line) override;
};

} // namespace Vn
