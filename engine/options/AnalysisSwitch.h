#pragma once

#include "engine/options/AnalysisOptions.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace Vn
{

// One on/off choice of the analysis with every name it goes by: its flag on the command
// line, its entry in the window's Options menu, the key under which the window keeps it
// and the help that both show.
struct AnalysisSwitch
{
    enum class Group : uint8_t
    {
        READING, // how files are found and read
        LABELS,  // leaving out labelled files, which takes the language table
    };

    // Reads and sets the choice in the options.
    struct Access
    {
        bool (*mIsOn)(const AnalysisOptions&);
        void (*mSet)(AnalysisOptions&, bool on);
    };

    const char* mFlag; // "--modern-cpp"
    // A flag that takes a value has two, off and on ("classic" and "git"); a plain flag
    // has none.
    const char* mValueOff = nullptr;
    const char* mValueOn = nullptr;
    const char* mMenuText = nullptr;    // null when the window does not offer it
    const char* mSettingsKey = nullptr; // null when the window does not keep it
    const char* mHelp = "";
    Group mGroup = Group::READING;
    bool mPrecise = false; // turned on by the precise analysis
    Access mAccess = {};

    // The flag as a user turns the switch on: "--modern-cpp", "--ignore-rules git".
    std::string Spelled(char beforeValue = ' ') const
    {
        return mValueOn == nullptr ? mFlag : std::string(mFlag) + beforeValue + mValueOn;
    }
    bool IsOn(const AnalysisOptions& options) const { return mAccess.mIsOn(options); }
    void Set(AnalysisOptions& options, bool on) const { mAccess.mSet(options, on); }
};

// The choices that turn on several switches at once: those of the precise analysis, and
// every switch that skips labelled files.
inline constexpr char PRECISE_FLAG[] = "--precise";
inline constexpr char PRECISE_MENU_TEXT[] = "Precise analysis";
inline constexpr char ONLY_OWN_FLAG[] = "--only-own";
inline constexpr char ONLY_OWN_MENU_TEXT[] = "Only own code";

// The access to a plain member of the options.
template <bool AnalysisOptions::*MEMBER>
inline constexpr AnalysisSwitch::Access MEMBER_ACCESS = {
    [](const AnalysisOptions& options) { return options.*MEMBER; },
    [](AnalysisOptions& options, bool on) { options.*MEMBER = on; },
};

// Every switch, in the order of the command line's help and of the Options menu. The
// menu texts and settings keys are what users see and keep: they never change.
inline constexpr AnalysisSwitch ANALYSIS_SWITCHES[] = {
    {.mFlag = "--common-types",
     .mMenuText = "Common file types",
     .mSettingsKey = "options/commonTypes",
     .mHelp = "Register the usual extensions",
     .mPrecise = true,
     .mAccess = MEMBER_ACCESS<&AnalysisOptions::mCommonTypes>},
    {.mFlag = "--ignore-rules",
     .mValueOff = "classic",
     .mValueOn = "git",
     .mMenuText = "Git ignore rules",
     .mSettingsKey = "options/gitIgnoreRules",
     .mHelp = "Read ignore files by git's rules, not the classic ones",
     .mPrecise = true,
     .mAccess = {[](const AnalysisOptions& options)
                 { return options.mWalk.mIgnoreRules == TrovLib::IgnoreRules::Git; },
                 [](AnalysisOptions& options, bool on) {
                     options.mWalk.mIgnoreRules =
                         on ? TrovLib::IgnoreRules::Git : TrovLib::IgnoreRules::Classic;
                 }}},
    {.mFlag = "--no-ignore",
     .mHelp = "Read no ignore files",
     .mAccess = {[](const AnalysisOptions& options) { return !options.mWalk.mReadIgnoreFiles; },
                 [](AnalysisOptions& options, bool on) { options.mWalk.mReadIgnoreFiles = !on; }}},
    {.mFlag = "--modern-cpp",
     .mMenuText = "Modern C/C++",
     .mSettingsKey = "options/modernCpp",
     .mHelp = "Lex C and C++ as C++11 and later do",
     .mPrecise = true,
     .mAccess = MEMBER_ACCESS<&AnalysisOptions::mModernCpp>},
    {.mFlag = "--no-follow-links",
     .mMenuText = "Skip links to files",
     .mSettingsKey = "options/skipFileLinks",
     .mHelp = "Skip links to files, as links to folders always are",
     .mPrecise = true,
     .mAccess = {[](const AnalysisOptions& options) { return !options.mWalk.mFollowFileLinks; },
                 [](AnalysisOptions& options, bool on) { options.mWalk.mFollowFileLinks = !on; }}},
    {.mFlag = "--languages",
     .mMenuText = "All languages",
     .mSettingsKey = "options/languages",
     .mHelp = "Read every file by the language table",
     .mPrecise = true,
     .mAccess = MEMBER_ACCESS<&AnalysisOptions::mLanguages>},
    {.mFlag = "--skip-generated",
     .mMenuText = "Skip generated files",
     .mSettingsKey = "options/skipGenerated",
     .mHelp = "Neither count nor search generated files",
     .mGroup = AnalysisSwitch::Group::LABELS,
     .mAccess = MEMBER_ACCESS<&AnalysisOptions::mSkipGenerated>},
    {.mFlag = "--skip-vendored",
     .mMenuText = "Skip vendored files",
     .mSettingsKey = "options/skipVendored",
     .mHelp = "Neither count nor search vendored files",
     .mGroup = AnalysisSwitch::Group::LABELS,
     .mAccess = MEMBER_ACCESS<&AnalysisOptions::mSkipVendored>},
    {.mFlag = "--skip-minified",
     .mMenuText = "Skip minified files",
     .mSettingsKey = "options/skipMinified",
     .mHelp = "Neither count nor search minified files",
     .mGroup = AnalysisSwitch::Group::LABELS,
     .mAccess = MEMBER_ACCESS<&AnalysisOptions::mSkipMinified>},
    {.mFlag = "--skip-lock",
     .mMenuText = "Skip lock files",
     .mSettingsKey = "options/skipLock",
     .mHelp = "Neither count nor search lock files",
     .mGroup = AnalysisSwitch::Group::LABELS,
     .mAccess = MEMBER_ACCESS<&AnalysisOptions::mSkipLock>},
};

// The window keeps every switch that it offers, under "options/".
static_assert(std::ranges::all_of(
    ANALYSIS_SWITCHES,
    [](const AnalysisSwitch& option)
    {
        return option.mMenuText == nullptr
                   ? option.mSettingsKey == nullptr
                   : std::string_view(option.mSettingsKey).starts_with("options/");
    }));

} // namespace Vn
