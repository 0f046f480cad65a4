#include "cli/LanguagesCommand.h"

#include "cli/Joined.h"
#include "cli/Table.h"
#include "engine/languages/LanguageTable.h"

#include <CLI/CLI.hpp>

#include <cstdlib>

namespace VarnikCli
{

LanguagesCommand::LanguagesCommand(CLI::App& cli)
    : mCommand(cli.add_subcommand("languages", "List the languages that --languages knows"))
{
    mCommand->add_option("--language-file", mLanguageFiles, "Add or replace languages")
        ->allow_extra_args(false)
        ->type_name("FILE");
    mCommand->add_option("--format", mFormat, "How the list prints")
        ->check(CLI::IsMember(Table::FORMAT_NAMES).description(""))
        ->type_name("text|csv|tsv|md|json")
        ->capture_default_str();
}

bool LanguagesCommand::Parsed() const
{
    return mCommand->parsed();
}

int LanguagesCommand::Run(Console& console) const
{
    const auto table = Vn::LanguageTable::Create(mLanguageFiles);
    Table list({"id", "name", "kind", "extensions", "names", "interpreters", "status"});
    for (const auto& language : table->GetLanguages())
    {
        std::vector<std::string> extensions = language->mExtensions;
        extensions.insert(extensions.end(), language->mExtensionsCase.begin(),
                          language->mExtensionsCase.end());
        std::vector<std::string> names = language->mFileNames;
        names.insert(names.end(), language->mFileNamesNoCase.begin(),
                     language->mFileNamesNoCase.end());
        names.insert(names.end(), language->mFileGlobs.begin(), language->mFileGlobs.end());
        list.Add({language->mId, language->mName, language->mKind, Joined(extensions, " "),
                  Joined(names, " "), Joined(language->mInterpreters, " "),
                  std::string(language->mStatus == Vn::Language::Status::VERIFIED ? "verified"
                                                                                  : "unverified")});
    }
    list.Write(console.mOut, Table::FormatNamed(mFormat));
    console.Flush();
    return EXIT_SUCCESS;
}

} // namespace VarnikCli
