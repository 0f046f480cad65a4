#include "cli/EnginePass.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

namespace
{

// The options that `args` select, or an exception for a flag that names no registered type.
Vn::AnalysisOptions OptionsOf(std::vector<std::string> args)
{
    VarnikCli::EnginePass pass;
    CLI::App command;
    pass.AddOptions(command);
    std::reverse(args.begin(), args.end()); // CLI11 takes them from the back
    command.parse(args);
    return pass.Options();
}

} // namespace

TEST(EnginePass, FlagsReachTheAnalysisOptions)
{
    const Vn::AnalysisOptions classic = OptionsOf({});
    EXPECT_FALSE(classic.mCommonTypes || classic.mModernCpp || !classic.mCountAs.empty() ||
                 classic.mWalk.mIgnoreRules != TrovLib::IgnoreRules::Classic ||
                 !classic.mWalk.mReadIgnoreFiles || !classic.mWalk.mFollowFileLinks);

    const Vn::AnalysisOptions precise = OptionsOf({"--precise", "--exclude", "build"});
    EXPECT_TRUE(precise.mCommonTypes && precise.mModernCpp && !precise.mWalk.mFollowFileLinks &&
                precise.mWalk.mIgnoreRules == TrovLib::IgnoreRules::Git);
    EXPECT_EQ(precise.mWalk.mExcludes, std::vector<std::string>{"build"});

    const Vn::AnalysisOptions each =
        OptionsOf({"--count-as", "cc:cpp", "--count-as", "inl:h", "--common-types",
                   "--ignore-rules", "git", "--exclude", "*.o", "--exclude", "gen/", "--no-ignore",
                   "--modern-cpp", "--no-follow-links"});
    ASSERT_EQ(each.mCountAs.size(), 2u);
    EXPECT_EQ(each.mCountAs[1].mExtension + ":" + each.mCountAs[1].mType, "inl:h");
    EXPECT_TRUE(each.mCommonTypes && each.mModernCpp);
    EXPECT_EQ(each.mWalk.mIgnoreRules, TrovLib::IgnoreRules::Git);
    EXPECT_EQ(each.mWalk.mExcludes, (std::vector<std::string>{"*.o", "gen/"}));
    EXPECT_FALSE(each.mWalk.mReadIgnoreFiles || each.mWalk.mFollowFileLinks);
}
