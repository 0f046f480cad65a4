#include "cli/TerminalProgress.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace std::chrono_literals;

TEST(TerminalProgress, RewritesOneLineAfterItsDelayAndErasesItOnce)
{
    std::ostringstream quiet;
    VarnikCli::TerminalProgress(quiet, "Scanning", 1h).Show({3, 40});
    EXPECT_EQ(quiet.str(), "");

    std::ostringstream terminal;
    {
        VarnikCli::TerminalProgress line(terminal, "Searching", 0ms);
        line.Show({1, 2});
        line.Show({3, 40});
        line.Clear();
    }
    EXPECT_EQ(terminal.str(), "\r\x1b[KSearching: 1 folders, 2 files"
                              "\r\x1b[KSearching: 3 folders, 40 files"
                              "\r\x1b[K");
}
