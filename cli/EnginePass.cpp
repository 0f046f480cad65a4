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
#include <tuple>
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

} // namespace

std::string CheckedRoot(std::string root)
{
    struct stat info = {};
    if (stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw std::runtime_error(TrovLib::Format("%s: not an existing folder", root.c_str()));
    if (access(root.c_str(), R_OK | X_OK) != 0)
        throw std::runtime_error(TrovLib::Format("%s: %s", root.c_str(), std::strerror(errno)));
    while (root.size() > 1 && root.back() == TrovLib::SEPARATOR)
        root.pop_back();
    return root;
}

void EnginePass::AddOptions(CLI::App& command)
{
    command
        .add_option("--jobs", mJobs, "Threads that read files, 1 to 256 (default: one per core)")
        ->check(WholeNumber(1, 256))
        ->type_name("N");
    const char* analysis = "Analysis (default: the classic analysis)";
    command
        .add_flag("--precise", mPrecise,
                  "All of the options below but --count-as, --exclude, --language-file, --skip-*, "
                  "--only-own")
        ->group(analysis);
    command.add_option("--count-as", mCountAs, "Count files of type EXT as the registered TYPE")
        ->allow_extra_args(false)
        ->type_name("EXT:TYPE")
        ->group(analysis);
    command.add_flag("--common-types", mCommonTypes, "Register the usual extensions")
        ->group(analysis);
    command.add_option("--ignore-rules", mIgnoreRules, "The rules of ignore files")
        ->check(CLI::IsMember({"classic", "git"}).description(""))
        ->type_name("classic|git")
        ->capture_default_str()
        ->group(analysis);
    command.add_option("--exclude", mExcludes, "A pattern applied as if in the root's ignore file")
        ->allow_extra_args(false)
        ->type_name("PATTERN")
        ->group(analysis);
    command.add_flag("--no-ignore", mNoIgnore, "Read no ignore files")->group(analysis);
    command.add_flag("--modern-cpp", mModernCpp, "Lex C and C++ as C++11 and later do")
        ->group(analysis);
    command.add_flag("--no-follow-links", mNoFollowLinks, "Skip links to files too")
        ->group(analysis);
    command.add_flag("--languages", mLanguages, "Read every file by the language table")
        ->group(analysis);
    command
        .add_option("--language-file", mLanguageFiles,
                    "Add or replace languages (implies --languages)")
        ->allow_extra_args(false)
        ->type_name("FILE")
        ->group(analysis);
    for (const auto& [flag, member, what] :
         {std::tuple("--skip-generated", &mSkipGenerated, "generated"),
          std::tuple("--skip-vendored", &mSkipVendored, "vendored"),
          std::tuple("--skip-minified", &mSkipMinified, "minified"),
          std::tuple("--skip-lock", &mSkipLock, "lock")})
        command
            .add_flag(flag, *member,
                      std::string("Neither count nor search ") + what +
                          " files (implies --languages)")
            ->group(analysis);
    command.add_flag("--only-own", mOnlyOwn, "All four --skip-* options")->group(analysis);
}

Vn::AnalysisOptions EnginePass::Options() const
{
    Vn::AnalysisOptions options = mPrecise ? Vn::AnalysisOptions::Precise() : Vn::AnalysisOptions();
    options.mCommonTypes = options.mCommonTypes || mCommonTypes;
    options.mModernCpp = options.mModernCpp || mModernCpp;
    options.mLanguages = options.mLanguages || mLanguages || !mLanguageFiles.empty();
    options.mLanguageFiles = mLanguageFiles;
    options.mSkipGenerated = mSkipGenerated || mOnlyOwn;
    options.mSkipVendored = mSkipVendored || mOnlyOwn;
    options.mSkipMinified = mSkipMinified || mOnlyOwn;
    options.mSkipLock = mSkipLock || mOnlyOwn;
    options.mLanguages = options.mLanguages || options.SkipsLabels();
    if (mIgnoreRules == "git")
        options.mWalk.mIgnoreRules = TrovLib::IgnoreRules::Git;
    options.mWalk.mReadIgnoreFiles = !mNoIgnore;
    options.mWalk.mExcludes = mExcludes;
    if (mNoFollowLinks)
        options.mWalk.mFollowFileLinks = false;
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

void EnginePass::Run(const char* activity, Console& console,
                     const std::function<void(Vn::FolderParser&)>& pass) const
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
    pass(folderParser);
    if (std::string warning = folderParser.GetUnreadable().Describe(); !warning.empty())
        console.mWarnings.push_back(std::move(warning));
    if (const uint64_t binary = folderParser.GetSkippedBinary(); binary != 0)
        console.mWarnings.push_back(TrovLib::Format("%llu binary file%s not searched",
                                                    static_cast<unsigned long long>(binary),
                                                    binary == 1 ? "" : "s"));
}

} // namespace VarnikCli
