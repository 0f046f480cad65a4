#include "cli/App.h"

#include "cli/CommandLineHelp.h"
#include "cli/Console.h"
#include "cli/DiffCommand.h"
#include "cli/ExplainCommand.h"
#include "cli/LanguagesCommand.h"
#include "cli/MergeCommand.h"
#include "cli/Misspelling.h"
#include "cli/ScanCommand.h"
#include "cli/SearchCommand.h"
#include "lib/Exception.h"
#include "lib/Format.h"

#include <CLI/CLI.hpp>

namespace VarnikCli
{

App::App(std::ostream& out, std::ostream& err, Terminals terminals)
    : mOut(out), mErr(err), mTerminals(terminals)
{
}

int App::Run(int argc, const char* const* argv)
{
    CLI::App cli("Scans and searches trees of source files, and compares scans.", "varnik-cli");
    cli.set_version_flag("--version", "varnik-cli " VARNIK_VERSION);
    cli.require_subcommand(0, 1);
    const ScanCommand scan(cli);
    const SearchCommand search(cli);
    const DiffCommand diff(cli);
    const MergeCommand merge(cli);
    const LanguagesCommand languages(cli);
    const ExplainCommand explain(cli);
    // For the build: writes the shell completions and the manual page.
    std::string generate;
    cli.add_option("--generate", generate)
        ->check(CLI::IsMember(CommandLineHelp::Forms()))
        ->group("");
    Console console{Output(mOut, mTerminals.mOut), mErr, mTerminals.mErr, mLeaveAnswersToExit, {}};
    try
    {
        cli.parse(argc, argv);
        if (!generate.empty())
        {
            CommandLineHelp::Write(mOut, cli, generate);
            console.Flush();
            return EXIT_SUCCESS;
        }
        if (!scan.Parsed() && !search.Parsed() && !diff.Parsed() && !merge.Parsed() &&
            !languages.Parsed() && !explain.Parsed())
            return Fail("a command is required: scan, search, diff, merge, languages or explain "
                        "(see --help)");
        const int status = scan.Parsed()        ? scan.Run(console)
                           : search.Parsed()    ? search.Run(console)
                           : languages.Parsed() ? languages.Run(console)
                           : explain.Parsed()   ? explain.Run(console)
                           : merge.Parsed()     ? merge.Run(console)
                                                : diff.Run(console);
        for (const std::string& warning : console.mWarnings)
            mErr << "varnik-cli: " << warning << '\n';
        return status;
    }
    catch (const CLI::Success& success)
    {
        // --help and --version: their text must reach the output too.
        cli.exit(success, mOut, mErr);
        mOut.flush();
        return mOut ? EXIT_SUCCESS : Fail("cannot write the output");
    }
    catch (const CLI::ParseError& error)
    {
        const Misspelling misspelling = DescribeMisspelling(cli, argc, argv);
        const std::string message =
            misspelling.mMessage.empty() ? error.what() : misspelling.mMessage;
        const bool extra = dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr;
        return Fail(extra && search.Parsed() && !misspelling.mSuggests
                        ? message + " (put -- before a text that begins with \"-\")"
                        : message);
    }
    catch (const TrovLib::Exception& error)
    {
        return Fail(error.mMessage.empty()
                        ? std::string(error.what())
                        : TrovLib::Format("%s: %s", error.what(), error.mMessage.c_str()));
    }
    catch (const std::bad_alloc&)
    {
        // A scan too large for the memory: an error like any other, never an abort.
        return Fail("out of memory");
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

} // namespace VarnikCli
