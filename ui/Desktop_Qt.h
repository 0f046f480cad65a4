#pragma once

#include "ui/Desktop.h"

namespace Varnik
{

// The real desktop: Qt's message box and folder chooser, and the desktop's handler of
// file URLs in place of a shell.
class Desktop_Qt : public Desktop
{
public:
    void ShowMessage(const std::string& text, const char* caption) override;
    std::optional<QString> ChooseFolder() override;
    bool ShellExecute(const char* verb, const std::string& path) override;
};

} // namespace Varnik
