#pragma once

#include "lib/WalkOptions.h"

#include <string>
#include <vector>

namespace Vn
{

// The choices beyond the classic analysis, carried from the window and the command line
// through the folder parser to the registry, the parsers and the walker. Each is off by
// default, and with every one off the answers are the classic ones. The on/off choices
// are described, with their names on the command line and in the window, by
// ANALYSIS_SWITCHES (AnalysisSwitch.h).
struct AnalysisOptions
{
    // A parser of the same kind as the registered type `mType`, named `mExtension`.
    struct CountAs
    {
        std::string mExtension;
        std::string mType;
    };

    std::vector<CountAs> mCountAs;
    // Registers the usual extensions of C/C++, scripts, command files and text, and
    // recognises extensionless C++ headers and scripts by their first line.
    bool mCommonTypes = false;
    // Lexes C and C++ as C++11 and later do: raw strings, digit separators, "//" comments
    // and strings continued by a backslash, "# if" and the conditions of "#elif".
    bool mModernCpp = false;
    // Reads every file through the language table: its language from its name, extension
    // or first lines, and its lines by that language's rules. The classic types and C/C++
    // tables then serve no file.
    bool mLanguages = false;
    // Language files read after the built-in table, in order.
    std::vector<std::string> mLanguageFiles;
    // Files that the language table labels so are neither counted nor searched; they take
    // effect with mLanguages.
    bool mSkipGenerated = false;
    bool mSkipVendored = false;
    bool mSkipMinified = false;
    bool mSkipLock = false;
    TrovLib::WalkOptions mWalk;

    // Every option that makes the analysis closer to what compilers and git see.
    static AnalysisOptions Precise();
    // Whether the switches that steer the reading are those of Precise; the lists and the
    // skipping of labelled files do not matter.
    bool IsPrecise() const;
    // Whether any kind of labelled file is left out.
    bool SkipsLabels() const;
};

} // namespace Vn
