#pragma once

#include "ui/Desktop.h"

namespace Varnik
{

// The real desktop: Qt's message box, folder chooser and input dialog, xdg-open in
// place of a shell, and programs started apart from the window and watched for failure.
class Desktop_Qt : public Desktop
{
public:
    void ShowMessage(const std::string& text, const char* caption) override;
    std::optional<QString> ChooseFolder(const QString& start) override;
    std::optional<QString> AskText(const char* caption, const QString& label,
                                   const QString& text) override;
    QString ShellExecute(const char* verb, const std::string& path) override;
    QString StartProgram(const QStringList& arguments) override;
};

} // namespace Varnik
