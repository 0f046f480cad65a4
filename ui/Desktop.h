#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

namespace Varnik
{

// What the windows ask of the desktop: message boxes, the folder chooser, a line of
// text, and starting programs. The windows receive it from outside, so that tests can
// stand in for the user.
class Desktop
{
public:
    virtual ~Desktop();

    // A modal message box; `text` is in the locale's encoding.
    virtual void ShowMessage(const std::string& text, const char* caption) = 0;
    // The folder the user chose, starting from `start`, or nothing when the chooser was
    // cancelled.
    virtual std::optional<QString> ChooseFolder(const QString& start) = 0;
    // A line of text the user typed, starting from `text`, or nothing when cancelled.
    virtual std::optional<QString> AskText(const char* caption, const QString& label,
                                           const QString& text) = 0;
    // Hands a path to the shell: "open" opens a file with its program, "explore" shows a
    // folder. The path is in bytes, as the engine names it. Empty when the shell started;
    // else why it could not. A shell that starts and then fails is reported by the desktop.
    virtual QString ShellExecute(const char* verb, const std::string& path) = 0;
    // Starts a program, the first argument naming it, without a shell in between, and
    // answers as ShellExecute does.
    virtual QString StartProgram(const QStringList& arguments) = 0;

    // The arguments of an editor command for a file and a line: the command is split as a
    // shell would split it, quotes included, and "%f" and "%l" are replaced in each.
    static QStringList EditorArguments(const QString& command, const std::string& path,
                                       uint64_t line);
    // Whether the command's double quotes pair up, which splitting it needs.
    static bool EditorCommand_IsBalanced(const QString& command);
};

} // namespace Varnik
