#pragma once

#include <QString>

#include <optional>
#include <string>

namespace Varnik
{

// What the windows ask of the desktop: message boxes, the folder chooser and the
// shell. The windows receive it from outside, so that tests can stand in for the user.
class Desktop
{
public:
    virtual ~Desktop();

    // A modal message box; `text` is in the locale's encoding.
    virtual void ShowMessage(const std::string& text, const char* caption) = 0;
    // The folder the user chose, or nothing when the chooser was cancelled.
    virtual std::optional<QString> ChooseFolder() = 0;
    // Hands a path to the shell: "open" opens a file with its program, "explore" shows a
    // folder. The path is in bytes, as the engine names it. False when the shell failed.
    virtual bool ShellExecute(const char* verb, const std::string& path) = 0;
};

} // namespace Varnik
