#include "FakeDesktop.h"

#include <QDir>

#include <gtest/gtest.h>

namespace VarnikTest
{

void FakeDesktop::ShowMessage(const std::string& text, const char* caption)
{
    mMessages.push_back(Message{text, caption});
}

std::optional<QString> FakeDesktop::ChooseFolder()
{
    mChooserShown++;
    return mChosenFolder;
}

bool FakeDesktop::ShellExecute(const char* verb, const std::string& path)
{
    mShellCalls.push_back(ShellCall{verb, path});
    return mShellSucceeds;
}

void Screenshot_Save(const QImage& image, const char* name)
{
    const QString folder = VARNIK_SCREENSHOT_DIR;
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(folder + "/" + name)) << "cannot save the screenshot " << name;
}

} // namespace VarnikTest
