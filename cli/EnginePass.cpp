#include "cli/EnginePass.h"

#include "cli/Joined.h"
#include "cli/TerminalProgress.h"
#include "cli/WholeNumber.h"
#include "lib/Format.h"
#include "lib/Path.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace VarnikCli
{
namespace
{

constexpr auto PROGRESS_DELAY = std::chrono::milliseconds(500);

// "EXT:TYPE", both parts non-empty. The registry refuses a TYPE it does not know.
Vn::AnalysisOptions::CountAs ParsedCountAs(const std::string& text)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size())
        throw std::runtime_error(
            TrovLib::Format("--count-as \"%s\": expected EXT:TYPE, as in cc:cpp", text.c_str()));
    return {text.substr(0, colon), text.substr(colon + 1)};
}

// The switches that --precise turns on, as a user would type them.
std::string PreciseFlags()
{
    std::vector<std::string> flags;
    for (const Vn::AnalysisSwitch& option : Vn::ANALYSIS_SWITCHES)
    {
        if (option.mPrecise)
            flags.push_back(option.Spelled());
    }
    return Joined(flags, ", ");
}

// Skipping labelled files takes the language table, so those switches turn it on.
std::string Help(const Vn::AnalysisSwitch& option)
{
    return std::string(option.mHelp) +
           (option.mGroup == Vn::AnalysisSwitch::Group::LABELS ? " (implies --languages)" : "");
}

} // namespace

std::string CheckedRoot(std::string root)
{
    struct stat info = {};
    const bool found = stat(root.c_str(), &info) == 0;
    const bool folder = found && S_ISDIR(info.st_mode);
    if (!found)
        throw std::runtime_error(
            TrovLib::Format("%s: not an existing file or folder", root.c_str()));
    if (!folder && !S_ISREG(info.st_mode))
        throw std::runtime_error(TrovLib::Format("%s: not a file or folder", root.c_str()));
    if (access(root.c_str(), folder ? R_OK | X_OK : R_OK) != 0)
        throw std::runtime_error(TrovLib::Format("%s: %s", root.c_str(), std::strerror(errno)));
    while (root.size() > 1 && root.back() == TrovLib::SEPARATOR)
        root.pop_back();
    return root;
}

std::vector<std::string> CheckedRoots(const std::vector<std::string>& roots)
{
    std::vector<std::string> checked;
    for (const std::string& root : roots)
        checked.push_back(CheckedRoot(root));
    return checked;
}

void EnginePass::AddOptions(CLI::App& command)
{
    command
        .add_option("--jobs", mJobs, "Threads that read files, 1 to 256 (default: one per core)")
        ->check(WholeNumber(1, 256))
        ->type_name("N");
    const char* analysis = "Analysis (default: the classic analysis)";
    command.add_flag(Vn::PRECISE_FLAG, mPrecise, "Turn on " + PreciseFlags())->group(analysis);
    for (size_t i = 0; i < std::size(Vn::ANALYSIS_SWITCHES); i++)
    {
        const Vn::AnalysisSwitch& option = Vn::ANALYSIS_SWITCHES[i];
        if (option.mValueOn == nullptr)
        {
            command.add_flag(option.mFlag, mSwitches[i], Help(option))->group(analysis);
            continue;
        }
        mSwitchValues[i] = option.mValueOff;
        command.add_option(option.mFlag, mSwitchValues[i], Help(option))
            ->check(CLI::IsMember({option.mValueOff, option.mValueOn}).description(""))
            ->type_name(std::string(option.mValueOff) + "|" + option.mValueOn)
            ->capture_default_str()
            ->group(analysis);
    }
    command.add_flag(Vn::ONLY_OWN_FLAG, mOnlyOwn, "All four --skip-* options")->group(analysis);
    command.add_option("--count-as", mCountAs, "Count files of type EXT as the registered TYPE")
        ->allow_extra_args(false)
        ->type_name("EXT:TYPE")
        ->group(analysis);
    command.add_option("--exclude", mExcludes, "A pattern applied as if in the root's ignore file")
        ->allow_extra_args(false)
        ->type_name("PATTERN")
        ->group(analysis);
    command
        .add_option("--language-file", mLanguageFiles,
                    "Add or replace languages (implies --languages)")
        ->allow_extra_args(false)
        ->type_name("FILE")
        ->group(analysis);
}

Vn::AnalysisOptions EnginePass::Options() const
{
    Vn::AnalysisOptions options = mPrecise ? Vn::AnalysisOptions::Precise() : Vn::AnalysisOptions();
    for (size_t i = 0; i < std::size(Vn::ANALYSIS_SWITCHES); i++)
    {
        const Vn::AnalysisSwitch& option = Vn::ANALYSIS_SWITCHES[i];
        const bool on =
            option.mValueOn == nullptr ? mSwitches[i] : mSwitchValues[i] == option.mValueOn;
        if (on || (mOnlyOwn && option.mGroup == Vn::AnalysisSwitch::Group::LABELS))
            option.Set(options, true);
    }
    options.mLanguageFiles = mLanguageFiles;
    options.mLanguages = options.mLanguages || !mLanguageFiles.empty() || options.SkipsLabels();
    options.mWalk.mExcludes = mExcludes;
    for (const std::string& countAs : mCountAs)
        options.mCountAs.push_back(ParsedCountAs(countAs));
    return options;
}

std::unique_ptr<Vn::Engine> EnginePass::CreateEngine(const Vn::AnalysisOptions& options) const
{
    try
    {
        return std::make_unique<Vn::Engine>(options, mJobs);
    }
    catch (const std::invalid_argument& error)
    {
        throw std::runtime_error(TrovLib::Format("--count-as: %s", error.what()));
    }
}

std::vector<std::string> EnginePass::SearchableTypes() const
{
    const auto engine = CreateEngine(Options()); // owns the names that its types point at
    const std::vector<const char*> types = engine->GetRegistry().GetSearchTypes();
    return {types.begin(), types.end()};
}

std::vector<std::string> EnginePass::SelectTypes(const std::vector<std::string>& names) const
{
    const auto engine = CreateEngine(Options());
    const Vn::LanguageTable* languages = engine->GetRegistry().GetLanguages();
    if (languages == nullptr)
    {
        const std::vector<std::string> known = SearchableTypes();
        for (const std::string& name : names)
        {
            if (std::find(known.begin(), known.end(), name) == known.end())
                throw std::runtime_error(TrovLib::Format("unknown file type \"%s\" (known: %s)",
                                                         name.c_str(),
                                                         Joined(known, ", ").c_str()));
        }
        return names;
    }
    std::vector<std::string> selected;
    for (const std::string& name : names)
    {
        const std::vector<const Vn::Language*> matches = languages->Select(name);
        if (matches.empty())
        {
            const std::vector<std::string> nearest = languages->Nearest(name);
            throw std::runtime_error(TrovLib::Format(
                "unknown language \"%s\"%s%s (see: varnik-cli languages)", name.c_str(),
                nearest.empty() ? "" : "; did you mean ", Joined(nearest, ", ").c_str()));
        }
        for (const Vn::Language* language : matches)
            selected.push_back(language->mName);
    }
    return selected;
}

void EnginePass::Run(const char* activity, Console& console, const std::vector<std::string>& roots,
                     const Pass& pass) const
{
    const auto engine = CreateEngine(Options());
    Vn::FolderParser& folderParser = engine->GetFolderParser();
    std::optional<TerminalProgress> progress;
    if (console.mErrIsTerminal)
    {
        progress.emplace(console.mErr, activity, PROGRESS_DELAY);
        folderParser.SetProgressCallback([&progress](const Vn::Progress& done)
                                         { progress->Show(done); });
    }
    for (const std::string& root : roots)
    {
        pass(folderParser, root);
        const std::string where = roots.size() > 1 ? root + ": " : "";
        if (std::string warning = folderParser.GetUnreadable().Describe(); !warning.empty())
            console.mWarnings.push_back(where + warning);
        if (const uint64_t binary = folderParser.GetSkippedBinary(); binary != 0)
            console.mWarnings.push_back(where +
                                        TrovLib::Format("%llu binary file%s not searched",
                                                        static_cast<unsigned long long>(binary),
                                                        binary == 1 ? "" : "s"));
    }
}

} // namespace VarnikCli
