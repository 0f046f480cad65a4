#include "cli/EnginePass.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

namespace
{

// The options that `args` select, every one that is not off, in a line.
std::string OptionsOf(const std::vector<std::string>& args)
{
    VarnikCli::EnginePass pass;
    CLI::App command;
    pass.AddOptions(command);
    command.parse(std::vector<std::string>(args.rbegin(), args.rend())); // taken from the back
    const Vn::AnalysisOptions options = pass.Options();
    std::string line;
    for (const auto& countAs : options.mCountAs)
        line += countAs.mExtension + ":" + countAs.mType + " ";
    for (const std::string& exclude : options.mWalk.mExcludes)
        line += "exclude=" + exclude + " ";
    line += options.mCommonTypes ? "common " : "";
    line += options.mModernCpp ? "modern " : "";
    line += options.mWalk.mIgnoreRules == TrovLib::IgnoreRules::Git ? "git " : "";
    line += options.mWalk.mReadIgnoreFiles ? "" : "no-ignore ";
    line += options.mWalk.mFollowFileLinks ? "" : "no-links ";
    line += options.mLanguages ? "languages " : "";
    line += options.mSkipGenerated ? "skip-generated " : "";
    return line + (options.mSkipLock ? "skip-lock" : "");
}

} // namespace

TEST(EnginePass, FlagsReachTheAnalysisOptions)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{}, ""},
        {{"--precise", "--exclude", "build"},
         "exclude=build common modern git no-links languages "},
        // Skipping labelled files takes the language table.
        {{"--skip-lock"}, "languages skip-lock"},
        {{"--only-own"}, "languages skip-generated skip-lock"},
        {{"--count-as", "cc:cpp", "--count-as", "inl:h", "--common-types", "--ignore-rules", "git",
          "--exclude", "*.o", "--exclude", "gen/", "--no-ignore", "--modern-cpp",
          "--no-follow-links"},
         "cc:cpp inl:h exclude=*.o exclude=gen/ common modern git no-ignore no-links "},
    };
    for (const auto& [args, expected] : rows)
        EXPECT_EQ(OptionsOf(args), expected) << testing::PrintToString(args);
}
