#pragma once

#include "ui/Desktop.h"

#include <QImage>

#include <string>
#include <vector>

namespace VarnikTest
{

// Stands in for the user and the desktop: records every message and every path handed
// to the shell, and answers the folder chooser as the test arranged.
class FakeDesktop : public Varnik::Desktop
{
public:
    struct Message
    {
        std::string mText;
        std::string mCaption;
        bool operator==(const Message&) const = default;
    };
    struct ShellCall
    {
        std::string mVerb;
        std::string mPath;
        bool operator==(const ShellCall&) const = default;
    };

    void ShowMessage(const std::string& text, const char* caption) override;
    std::optional<QString> ChooseFolder() override;
    bool ShellExecute(const char* verb, const std::string& path) override;

    std::optional<QString> mChosenFolder; // the chooser's answer; none cancels it
    bool mShellSucceeds = true;
    int mChooserShown = 0;
    std::vector<Message> mMessages;
    std::vector<ShellCall> mShellCalls;
};

// Saves a picture of a window where the test run keeps its screenshots.
void Screenshot_Save(const QImage& image, const char* name);

} // namespace VarnikTest
