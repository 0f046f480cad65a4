#include "cli/ExplainCommand.h"

#include "engine/languages/LanguageTable.h"
#include "engine/parsers/LineReader.h"

#include <CLI/CLI.hpp>

#include <cstdlib>

namespace VarnikCli
{

ExplainCommand::ExplainCommand(CLI::App& cli)
    : mCommand(cli.add_subcommand("explain", "Tell the language of each file and why"))
{
    mCommand->add_option("PATH", mPaths, "The files to explain")->required()->type_name("");
    mCommand->add_option("--language-file", mLanguageFiles, "Add or replace languages")
        ->allow_extra_args(false)
        ->type_name("FILE");
}

bool ExplainCommand::Parsed() const
{
    return mCommand->parsed();
}

int ExplainCommand::Run(Console& console) const
{
    const auto table = Vn::LanguageTable::Create(mLanguageFiles);
    std::string head(Vn::LanguageTable::HEAD_SIZE + 1, '\0');
    for (const std::string& path : mPaths)
    {
        const size_t size = Vn::LineReader::ReadStart(path.c_str(), head.data(), head.size());
        bool binary = false;
        Vn::LanguageTable::Reason reason;
        const Vn::Language* language =
            table->Detect(path, std::string_view(head.data(), size), binary, &reason);
        const std::string name = language != nullptr ? language->mName
                                 : binary            ? "Binary"
                                                     : "Unknown";
        console.mOut.Text(path) << ": " << name << " (";
        console.mOut.Text(reason.mRule) << ")\n";
    }
    console.Flush();
    return EXIT_SUCCESS;
}

} // namespace VarnikCli
