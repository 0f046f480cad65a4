// The main of the window tests: widgets need an application object before any exists.

#include <QApplication>

#include <gtest/gtest.h>

namespace
{

QtMessageHandler gQtMessages = nullptr;

// The offscreen platform warns about size hints on every window shown; nothing to fix.
void Message_Filter(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (gQtMessages && text != "This plugin does not support propagateSizeHints()")
        gQtMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    // The tests need no screen, and Qt wants a private runtime folder: give both when the
    // environment does not, as when the tests are listed at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", VARNIK_XDG_RUNTIME_DIR);
    gQtMessages = qInstallMessageHandler(Message_Filter);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
