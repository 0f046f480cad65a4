#include "cli/App.h"

#include "cli/JsonReport.h"
#include "cli/ProgressLine.h"
#include "cli/TextReport.h"
#include "engine/parsers/FileParser_List.h"
#include "engine/scan/FolderParser.h"
#include "lib/Exception.h"
#include "lib/Format.h"
#include "lib/Path.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace VarnikCli
{
namespace
{

constexpr auto PROGRESS_DELAY = std::chrono::milliseconds(500);

// The root as the engine should name it. A trailing separator would leave the root
// node without a name of its own, so it goes.
std::string CheckedRoot(std::string root)
{
    struct stat info = {};
    if (stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    {
        throw std::runtime_error(TrovLib::Format("%s: not an existing folder", root.c_str()));
    }
    if (access(root.c_str(), R_OK | X_OK) != 0)
    {
        throw std::runtime_error(TrovLib::Format("%s: %s", root.c_str(), std::strerror(errno)));
    }
    while (root.size() > 1 && root.back() == TrovLib::SEPARATOR)
    {
        root.pop_back();
    }
    return root;
}

void SelectZones(const std::vector<std::string>& zones, Vn::SearchRequest::Flags& flags)
{
    flags.InCode = flags.InComment = flags.InDirective = flags.InString = false;
    for (const std::string& zone : zones)
    {
        if (zone == "code")
        {
            flags.InCode = true;
        }
        else if (zone == "comment")
        {
            flags.InComment = true;
        }
        else if (zone == "directive")
        {
            flags.InDirective = true;
        }
        else if (zone == "string")
        {
            flags.InString = true;
        }
        else if (zone != "none")
        {
            throw std::runtime_error(TrovLib::Format(
                "unknown zone \"%s\" (zones: code, comment, directive, string, none)",
                zone.c_str()));
        }
    }
}

// One line, for scripts: unindented, the JSON of a large tree is a quarter of the size.
void WriteJson(std::ostream& out, const nlohmann::ordered_json& json)
{
    out << json.dump() << '\n';
}

void AddCommonOptions(CLI::App& command, bool& json, unsigned& jobs)
{
    command.add_flag("--json", json, "Print JSON instead of text");
    command.add_option("--jobs", jobs, "Threads that read files (default: one per core)")
        ->check(CLI::Range(1u, 256u))
        ->type_name("N");
}

// A comma-separated list; each occurrence takes one argument, so that a list never
// swallows the positional arguments after it.
CLI::Option* AddListOption(CLI::App& command, const char* name, std::vector<std::string>& list,
                           const char* description)
{
    return command.add_option(name, list, description)
        ->delimiter(',')
        ->allow_extra_args(false)
        ->type_name("LIST");
}

} // namespace

App::App(std::ostream& out, std::ostream& err, bool showProgress)
    : mOut(out), mErr(err), mShowProgress(showProgress)
{
}

// The two commands, their options bound to `options`.
void App::DefineCommands(CLI::App& cli, Options& options)
{
    cli.set_version_flag("--version", "varnik-cli " VARNIK_VERSION);
    cli.require_subcommand(0, 1);

    CLI::App* scan = cli.add_subcommand("scan", "Count the files and lines of a tree");
    AddCommonOptions(*scan, options.mJson, options.mJobs);
    scan->add_option("ROOT", options.mRoot, "The folder to scan")->required()->type_name("");

    CLI::App* search = cli.add_subcommand("search", "Find the lines of a tree that hold a text");
    AddCommonOptions(*search, options.mJson, options.mJobs);
    search->add_flag("--ignore-case", options.mIgnoreCase, "Ignore the case of ASCII letters");
    AddListOption(*search, "--zones", options.mZones,
                  "Where a match counts: code, comment, directive, string, or none")
        ->capture_default_str();
    AddListOption(*search, "--types", options.mTypes, "The file types searched (default: all)");
    search->add_option("ROOT", options.mRoot, "The folder to search")->required()->type_name("");
    search->add_option("TEXT", options.mText, "The text to find")->required()->type_name("");
}

int App::Run(int argc, const char* const* argv)
{
    Options options;
    CLI::App cli("Scans and searches trees of source files.", "varnik-cli");
    DefineCommands(cli, options);
    const CLI::App& scan = *cli.get_subcommand("scan");
    const CLI::App& search = *cli.get_subcommand("search");
    try
    {
        cli.parse(argc, argv);
        if (scan.parsed())
        {
            return Scan(options);
        }
        if (search.parsed())
        {
            return Search(options);
        }
        return Fail("a command is required: scan or search (see --help)");
    }
    catch (const CLI::Success& success)
    {
        return cli.exit(success, mOut, mErr);
    }
    catch (const TrovLib::Exception& error)
    {
        return Fail(error.mMessage.empty()
                        ? std::string(error.what())
                        : TrovLib::Format("%s: %s", error.what(), error.mMessage.c_str()));
    }
    catch (const std::exception& error)
    {
        return Fail(error.what());
    }
}

int App::Fail(const std::string& message)
{
    mErr << "varnik-cli: " << message << std::endl;
    return EXIT_ERROR;
}

// Runs one pass of the engine, with a progress line on the terminal when asked for;
// the line is gone when the pass returns.
template <class Pass> auto App::RunPass(const char* activity, unsigned jobs, Pass pass)
{
    const auto parsers = Vn::FileParser_List::CreateFilled();
    Vn::FolderParser folderParser(parsers.get());
    folderParser.SetJobs(jobs != 0 ? jobs : std::thread::hardware_concurrency(),
                         [] { return Vn::FileParser_List::CreateFilled(); });
    ProgressLine progress(mErr, activity, PROGRESS_DELAY);
    if (mShowProgress)
    {
        folderParser.SetProgressCallback([&progress](const Vn::FolderParser::Progress& done)
                                         { progress.Show(done); });
    }
    return pass(folderParser);
}

int App::Scan(const Options& options)
{
    const std::string root = CheckedRoot(options.mRoot);
    auto tree = RunPass("Scanning", options.mJobs,
                        [&root](Vn::FolderParser& folderParser)
                        { return folderParser.Parse(root.c_str()); });
    if (options.mJson)
    {
        WriteJson(mOut, JsonReport::Scan(*tree));
    }
    else
    {
        TextReport::WriteCounters(mOut, *tree);
    }
    Flush();
    Release(std::move(tree));
    return EXIT_SUCCESS;
}

int App::Search(const Options& options)
{
    Vn::SearchRequest request;
    request.SetText(options.mText.c_str());
    request.mFlags.CaseSensitive = !options.mIgnoreCase;
    request.mFlags.InContent = true;
    SelectZones(options.mZones, request.mFlags);
    request.mFileTypes.insert(options.mTypes.begin(), options.mTypes.end());

    const std::string root = CheckedRoot(options.mRoot);
    auto results = RunPass("Searching", options.mJobs,
                           [&root, &request](Vn::FolderParser& folderParser)
                           { return folderParser.Search(root.c_str(), request); });
    if (options.mJson)
    {
        WriteJson(mOut, JsonReport::Search(results.get()));
    }
    else if (results)
    {
        TextReport::WriteResults(mOut, *results);
    }
    Flush();
    const int status = results ? EXIT_SUCCESS : EXIT_NO_MATCH;
    Release(std::move(results));
    return status;
}

template <class Answer> void App::Release(std::unique_ptr<Answer> answer) const
{
    if (!mLeaveAnswers)
        return;
    // Never freed, and still reachable from here, so leak checkers stay quiet.
    static auto* const kept = new std::vector<std::unique_ptr<Answer>>;
    kept->push_back(std::move(answer));
}

// A failed write (a full disk, a closed pipe) must not pass for success.
void App::Flush()
{
    mOut.flush();
    if (!mOut)
    {
        throw std::runtime_error("cannot write the output");
    }
}

} // namespace VarnikCli
