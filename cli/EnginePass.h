#pragma once

#include "cli/Console.h"
#include "engine/options/AnalysisSwitch.h"
#include "engine/scan/Engine.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace VarnikCli
{

// What scan and search share: the options that steer the engine (threads and the
// analysis options) and the passes of the engine over the roots, with a progress line on
// the terminal while they run. Not shared between threads.
class EnginePass
{
public:
    // Adds --jobs and the analysis flags to the command.
    void AddOptions(CLI::App& command);

    // The analysis options that the flags select; throws std::runtime_error for a
    // --count-as that is not of the form EXT:TYPE.
    Vn::AnalysisOptions Options() const;

    // The file types that a search can select under these options, in registration order.
    std::vector<std::string> SearchableTypes() const;
    // The type names that `names` select: under the language table, the languages that
    // each id, name, alias, extension or kind selects; otherwise the names themselves, each
    // checked against SearchableTypes. Throws std::runtime_error for an unknown name.
    std::vector<std::string> SelectTypes(const std::vector<std::string>& names) const;

    // Runs `pass` for each root in turn with a folder parser set up for these options. On
    // a terminal, a line counts the folders and files of a pass that takes a while. What a
    // pass could not read becomes a warning of the console, which names the root when
    // there are several.
    using Pass = std::function<void(Vn::FolderParser&, const std::string& root)>;
    void Run(const char* activity, Console& console, const std::vector<std::string>& roots,
             const Pass& pass) const;

private:
    // The engine of `options`; throws std::runtime_error for a --count-as whose TYPE those
    // options do not register.
    std::unique_ptr<Vn::Engine> CreateEngine(const Vn::AnalysisOptions& options) const;

    unsigned mJobs = 0; // 0: one per core
    bool mPrecise = false;
    // By the rows of ANALYSIS_SWITCHES: a plain flag's state, a valued flag's value.
    std::array<bool, std::size(Vn::ANALYSIS_SWITCHES)> mSwitches = {};
    std::array<std::string, std::size(Vn::ANALYSIS_SWITCHES)> mSwitchValues;
    bool mOnlyOwn = false;
    std::vector<std::string> mCountAs;
    std::vector<std::string> mExcludes;
    std::vector<std::string> mLanguageFiles;
};

// The root as the engine should name it, once it is checked to be a readable folder or
// file. A trailing separator would leave the root node without a name of its own, so it
// goes.
std::string CheckedRoot(std::string root);
// Each root checked, so that no pass starts before every root is known to be readable.
std::vector<std::string> CheckedRoots(const std::vector<std::string>& roots);

} // namespace VarnikCli
