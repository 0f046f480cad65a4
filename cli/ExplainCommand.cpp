#include "cli/ExplainCommand.h"

#include "engine/languages/LanguageTable.h"
#include "engine/parsers/LineReader.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace
{

size_t LongestLine(const char* path)
{
    Vn::LineReader reader;
    size_t longest = 0;
    size_t length = 0;
    for (bool open = reader.Open(path); open && reader.Next() != nullptr;)
    {
        length += reader.PieceSize();
        if (reader.PieceEndsLine())
            longest = std::max(longest, std::exchange(length, 0));
    }
    return longest;
}

// The file's label and the rule that gave it, from its path and its bytes; nothing for its
// owners' own code. The .gitattributes of a tree apply during a pass only.
std::string LabelOf(const Vn::FileLabels& rules, const std::string& path, std::string_view head)
{
    std::string reason;
    Vn::LabelFinding finding(Vn::LabelHints(), &reason);
    rules.ByFolders(path, finding);
    const std::string_view name = std::string_view(path).substr(path.rfind('/') + 1);
    rules.ByName(name, finding);
    rules.ByHead(head, finding);
    Vn::Label label = Vn::Label::NONE;
    const size_t limit = rules.LongLineLimit(name, label);
    if (limit != 0 && finding.mFirst == Vn::Label::NONE && LongestLine(path.c_str()) > limit)
        finding.AddLongLine(label, limit);
    if (finding.mFirst == Vn::Label::NONE)
        return {};
    return std::string("; ") + Vn::FileLabels::Id(finding.mFirst) + " (" + reason + ")";
}

} // namespace

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
    Vn::LineReader reader;
    for (const std::string& path : mPaths)
    {
        reader.Open(path.c_str());
        const std::string_view head = reader.Head(Vn::LanguageTable::HEAD_SIZE);
        bool binary = false;
        Vn::LanguageTable::Reason reason;
        const Vn::Language* language = table->Detect(
            path, [head] { return head; },
            [&reader] { return reader.Tail(Vn::LanguageTable::TAIL_SIZE); }, binary, &reason);
        const std::string name = language != nullptr ? language->mName
                                 : binary            ? "Binary"
                                                     : "Unknown";
        console.mOut.Text(path) << ": " << name << " (";
        console.mOut.Text(reason.mRule) << ")";
        console.mOut.Text(LabelOf(table->GetLabels(), path, head)) << "\n";
    }
    console.Flush();
    return EXIT_SUCCESS;
}

} // namespace VarnikCli
