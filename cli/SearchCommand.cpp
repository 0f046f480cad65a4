#include "cli/SearchCommand.h"

#include "cli/FlatReport.h"
#include "cli/Joined.h"
#include "cli/JsonReport.h"
#include "cli/TreeReport.h"
#include "cli/WholeNumber.h"
#include "engine/search/SearchZone.h"
#include "lib/Format.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

namespace VarnikCli
{
namespace
{

// A comma-separated list; each occurrence takes one argument, so that a list never
// swallows the positional arguments after it.
CLI::Option* AddListOption(CLI::App& command, const char* name, std::vector<std::string>& list,
                           const std::string& description)
{
    return command.add_option(name, list, description)
        ->delimiter(',')
        ->allow_extra_args(false)
        ->type_name("LIST");
}

// The names of the zones, as --zones takes them.
std::vector<std::string> ZoneNames()
{
    std::vector<std::string> names;
    for (const Vn::SearchZone& zone : Vn::SEARCH_ZONES)
        names.emplace_back(zone.mName);
    return names;
}

void SelectZones(const std::vector<std::string>& zones, Vn::SearchRequest::Flags& flags)
{
    for (const Vn::SearchZone& zone : Vn::SEARCH_ZONES)
        zone.mSet(flags, std::find(zones.begin(), zones.end(), zone.mName) != zones.end());
    for (const std::string& zone : zones)
    {
        if (std::find(SearchCommand::ZONE_NAMES.begin(), SearchCommand::ZONE_NAMES.end(), zone) ==
            SearchCommand::ZONE_NAMES.end())
            throw std::runtime_error(
                TrovLib::Format("unknown zone \"%s\" (zones: %s)", zone.c_str(),
                                Joined(SearchCommand::ZONE_NAMES, ", ").c_str()));
    }
    if (zones.size() > 1 && std::find(zones.begin(), zones.end(), "none") != zones.end())
        throw std::runtime_error("the zone \"none\" cannot be combined with another zone");
}

// The results of one root, or a root "." holding those of several roots that matched.
std::unique_ptr<Vn::SearchResult_Folder>
CombinedResults(std::vector<std::unique_ptr<Vn::SearchResult_Folder>> found, size_t roots)
{
    if (roots == 1 || found.empty())
        return found.empty() ? nullptr : std::move(found.front());
    auto combined = std::make_unique<Vn::SearchResult_Folder>(".");
    combined->SetRootKind(Vn::TreeNode::RootKind::ROOTS);
    for (auto& result : found)
        combined->AddResult(std::move(result));
    return combined;
}

} // namespace

const std::vector<std::string> SearchCommand::ZONE_NAMES = []
{
    std::vector<std::string> names = ZoneNames();
    names.emplace_back("none");
    return names;
}();

SearchCommand::SearchCommand(CLI::App& cli)
    : mCommand(cli.add_subcommand("search", "Find the lines of a tree that hold a text"))
{
    // The TEXT is told from the roots in Run, so that the message can tell how to pass a
    // text that looks like an option.
    mCommand
        ->add_option("ROOT", mPositionals,
                     "The folders and files to search, in turn, then the TEXT to find unless -e "
                     "gives a pattern")
        ->required()
        ->option_text("... TEXT");
    mCommand
        ->add_option("-e,--regex", mRegex,
                     "Find a regular expression (RE2's syntax) in place of a TEXT")
        ->type_name("PATTERN");
    mCommand->add_flag("-i,--ignore-case", mIgnoreCase, "Ignore the case of ASCII letters");
    mCommand->add_flag("-w,--word-regexp", mWholeWord,
                       "Match whole words: no letter, digit or _ right before or after");
    mCommand->add_option("-m,--max-count", mMaxCount, "At most N matching lines per file")
        ->check(WholeNumber(1))
        ->type_name("N");
    mZones = ZoneNames();
    AddListOption(*mCommand, "--zones", mZones,
                  "Where a match counts: " + Joined(mZones, ", ") + ", or none")
        ->type_name("ZONE,...")
        ->capture_default_str();
    AddListOption(*mCommand, "--types", mTypes, "The file types searched (default: all)")
        ->type_name("TYPE,...");
    mCommand
        ->add_option("-g,--glob", mGlobs,
                     "Search the files whose relative path matches GLOB, or not those of "
                     "!GLOB; the last glob that matches decides")
        ->allow_extra_args(false)
        ->type_name("GLOB");
    const char* forms = "Output";
    CLI::Option* json =
        mCommand->add_flag("--json", mJson, "Print the result tree as JSON")->group(forms);
    CLI::Option* flat =
        mCommand->add_flag("--flat", mFlat, "One path:line:text line per match")->group(forms);
    CLI::Option* files =
        mCommand->add_flag("-l,--files-with-matches", mFiles, "Print the files with a match")
            ->group(forms);
    mCommand->add_flag("-c,--count", mCounts, "Print path:count for the files with a match")
        ->excludes(json)
        ->excludes(flat)
        ->excludes(files)
        ->group(forms);
    json->excludes(flat)->excludes(files);
    flat->excludes(files);
    mCommand->add_option("-A,--after-context", mAfter, "With --flat, N lines after each match")
        ->check(WholeNumber(0, 1000000))
        ->type_name("N")
        ->group(forms);
    mCommand->add_option("-B,--before-context", mBefore, "With --flat, N lines before each match")
        ->check(WholeNumber(0, 1000000))
        ->type_name("N")
        ->group(forms);
    mCommand->add_option("-C,--context", mContext, "With --flat, N lines before and after")
        ->check(WholeNumber(0, 1000000))
        ->type_name("N")
        ->group(forms);
    mCommand
        ->add_flag("--null", mNull, "End each path with a NUL (with --flat, -l or -c), as grep -Z")
        ->group(forms);
    mCommand
        ->add_option(
            "--color", mColor,
            "Highlight the matches (auto: on a terminal, unless NO_COLOR is set or TERM=dumb)")
        ->check(CLI::IsMember({"auto", "always", "never"}).description(""))
        ->type_name("auto|always|never")
        ->capture_default_str()
        ->group(forms);
    mPass.AddOptions(*mCommand);
}

bool SearchCommand::Parsed() const
{
    return mCommand->parsed();
}

bool SearchCommand::IsRegex() const
{
    return mCommand->count("--regex") != 0;
}

// Without -e, the last positional is the TEXT and those before it are the roots.
std::vector<std::string> SearchCommand::Roots() const
{
    return {mPositionals.begin(), mPositionals.end() - (IsRegex() ? 0 : 1)};
}

Vn::SearchRequest SearchCommand::Request() const
{
    const bool regex = IsRegex();
    if (!regex && mPositionals.size() < 2)
        throw std::runtime_error("a TEXT to find is required (put -- before a text that begins "
                                 "with \"-\", as in: search ROOT -- -x)");
    const std::vector<std::string> types = mPass.SelectTypes(
        mCommand->count("--types") != 0 && mTypes.empty() ? std::vector<std::string>{""} : mTypes);
    Vn::SearchRequest request;
    request.SetText(regex ? mRegex.c_str() : mPositionals.back().c_str());
    request.mFlags.CaseSensitive = !mIgnoreCase;
    request.mFlags.WholeWord = mWholeWord;
    request.mMaxLines = mMaxCount;
    request.mGlobs = mGlobs;
    request.mFlags.InContent = true;
    SelectZones(mZones, request.mFlags);
    request.mFileTypes.insert(types.begin(), types.end());
    if (regex)
        request.CompileRegex();
    return request;
}

bool SearchCommand::IsFlat() const
{
    return mFlat || mFiles || mCounts;
}

FlatReport::Options SearchCommand::FlatOptions(bool highlight) const
{
    const FlatReport::Form form = mFiles    ? FlatReport::Form::Files
                                  : mCounts ? FlatReport::Form::Counts
                                            : FlatReport::Form::Lines;
    // -A and -B each win over -C.
    const unsigned before = mCommand->count("-B") != 0 ? mBefore : mContext;
    const unsigned after = mCommand->count("-A") != 0 ? mAfter : mContext;
    return {form, highlight, mNull, before, after};
}

// "auto" colours a terminal unless NO_COLOR holds something or the terminal is dumb.
bool SearchCommand::UseColor(const Console& console) const
{
    if (mColor != "auto")
        return mColor == "always";
    const char* noColor = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    return console.mOut.IsTerminal() && (noColor == nullptr || *noColor == '\0') &&
           (term == nullptr || std::strcmp(term, "dumb") != 0);
}

int SearchCommand::Run(Console& console) const
{
    const Vn::SearchRequest request = Request();
    if (mNull && !IsFlat())
        throw std::runtime_error("--null needs --flat, -l or -c");
    const std::vector<std::string> roots = CheckedRoots(Roots());
    const bool highlight = UseColor(console);
    // The flat forms print each file as soon as it is final, so that a pipe gets the
    // first matches of a large tree at once; the lines stand in for a progress line,
    // which would break into them.
    std::optional<FlatReport::Writer> flat;
    if (IsFlat())
        flat.emplace(console.mOut, FlatOptions(highlight));
    const bool errIsTerminal =
        std::exchange(console.mErrIsTerminal, console.mErrIsTerminal && !flat);
    std::vector<std::unique_ptr<Vn::SearchResult_Folder>> found;
    mPass.Run("Searching", console, roots,
              [&](Vn::FolderParser& folderParser, const std::string& root)
              {
                  // Each file's lines are let go once written; the answer keeps the counts.
                  if (flat)
                      folderParser.SetFileHandover(
                          [&](const std::string& path, const Vn::PackedHits& hits)
                          {
                              flat->WriteFile(path, hits.Get());
                              console.Flush();
                          });
                  if (auto result = folderParser.Search(root.c_str(), request))
                      found.push_back(std::move(result));
              });
    console.mErrIsTerminal = errIsTerminal;
    std::unique_ptr<Vn::SearchResult_Folder> results =
        CombinedResults(std::move(found), roots.size());
    if (mJson)
        JsonReport::WriteSearch(console.mOut.Stream(), results.get());
    else if (results && !flat)
        TreeReport::WriteResults(console.mOut, *results, highlight);
    console.Flush();
    const int status = results ? EXIT_SUCCESS : EXIT_NO_MATCH;
    console.Discard(std::move(results));
    return status;
}

} // namespace VarnikCli
