#include "cli/CommandLineHelp.h"

#include "cli/Joined.h"
#include "cli/SearchCommand.h"
#include "cli/TableReport.h"

#include <CLI/CLI.hpp>

#include <regex>
#include <set>

namespace VarnikCli::CommandLineHelp
{
namespace
{

// One option as the completions and the manual describe it.
struct OptionInfo
{
    std::vector<std::string> mShort; // without "-"
    std::vector<std::string> mLong;  // without "--"
    std::string mDescription;
    std::string mValue;                // the value's name; empty for a flag
    std::vector<std::string> mChoices; // the values allowed, when known when building
    std::string mChoicesCommand;       // else a shell command that lists them
    bool mRepeatable = false;
};

struct CommandInfo
{
    std::string mName; // empty for the program itself
    std::string mDescription;
    std::vector<std::string> mPositionals;
    std::vector<OptionInfo> mOptions;
};

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    for (std::istringstream in(text); std::getline(in, part, separator);)
        parts.push_back(part);
    return parts;
}

// The values an option takes, by the name of its value: "a|b" lists them, and the names
// of zones, columns and file types stand for the lists that the program holds.
void AddChoices(OptionInfo& option)
{
    if (option.mValue.find('|') != std::string::npos)
        option.mChoices = Split(option.mValue, '|');
    else if (option.mValue.starts_with("ZONE"))
        option.mChoices = SearchCommand::ZONE_NAMES;
    else if (option.mValue == "COLUMN")
        option.mChoices = TableReport::ColumnNames();
    else if (option.mValue.starts_with("TYPE"))
        option.mChoicesCommand =
            "varnik-cli languages --format tsv 2>/dev/null | cut -f1 | tail -n +2";
}

CommandInfo Describe(const CLI::App& app, std::string name)
{
    CommandInfo command{std::move(name), app.get_description(), {}, {}};
    for (const CLI::Option* option : app.get_options())
    {
        if (option->get_group().empty())
            continue; // hidden
        if (option->get_positional())
        {
            // As the help shows it: its own text, or "..." when it takes several.
            const std::string& text = option->get_option_text();
            command.mPositionals.push_back(option->get_name(true) +
                                           (!text.empty()                    ? " " + text
                                            : option->get_expected_max() > 1 ? " ..."
                                                                             : ""));
            continue;
        }
        OptionInfo info{option->get_snames(),
                        option->get_lnames(),
                        option->get_description(),
                        option->get_expected_max() > 0 ? option->get_type_name() : "",
                        {},
                        {},
                        option->get_expected_max() > 1};
        AddChoices(info);
        command.mOptions.push_back(std::move(info));
    }
    return command;
}

// The program first, then each command.
std::vector<CommandInfo> DescribeAll(const CLI::App& cli)
{
    std::vector<CommandInfo> commands = {Describe(cli, "")};
    for (const CLI::App* sub : cli.get_subcommands([](const CLI::App*) { return true; }))
        commands.push_back(Describe(*sub, sub->get_name()));
    return commands;
}

std::string Quoted(const std::string& text)
{
    return "'" + std::regex_replace(text, std::regex("'"), "'\\''") + "'";
}

// Every option as the user types it: "-l", "--files-with-matches".
std::vector<std::string> Spellings(const OptionInfo& option)
{
    std::vector<std::string> spellings;
    for (const std::string& name : option.mShort)
        spellings.push_back("-" + name);
    for (const std::string& name : option.mLong)
        spellings.push_back("--" + name);
    return spellings;
}

bool HasChoices(const OptionInfo& option)
{
    return !option.mChoices.empty() || !option.mChoicesCommand.empty();
}

// Completes options and their choices by the command typed so far, and otherwise files and
// folders.
void WriteBash(std::ostream& out, const std::vector<CommandInfo>& commands)
{
    out << "# bash completion for varnik-cli\n_varnik_cli()\n{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} "
           "command= word options\n"
           "    for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n        case $word in\n";
    std::vector<std::string> names;
    for (const CommandInfo& command : commands)
        names.push_back(command.mName);
    out << "            " << Joined(std::vector<std::string>(names.begin() + 1, names.end()), "|")
        << ") command=$word ;;\n        esac\n    done\n    case $prev in\n";
    std::set<std::string> withChoices; // an option shared by several commands, once
    for (const CommandInfo& command : commands)
        for (const OptionInfo& option : command.mOptions)
            if (HasChoices(option) && withChoices.insert(option.mLong.front()).second)
                out << "        " << Joined(Spellings(option), "|") << ") COMPREPLY=($(compgen -W "
                    << (option.mChoices.empty() ? "\"$(" + option.mChoicesCommand + ")\""
                                                : Quoted(Joined(option.mChoices, " ")))
                    << " -- \"$cur\")); return ;;\n";
    out << "    esac\n    case $command in\n";
    for (const CommandInfo& command : commands)
    {
        std::vector<std::string> words =
            command.mName.empty() ? std::vector<std::string>(names.begin() + 1, names.end())
                                  : std::vector<std::string>();
        for (const OptionInfo& option : command.mOptions)
            for (const std::string& spelling : Spellings(option))
                words.push_back(spelling);
        out << "        " << (command.mName.empty() ? "''" : command.mName)
            << ") options=" << Quoted(Joined(words, " ")) << " ;;\n";
    }
    out << "    esac\n"
           "    if [[ $cur == -* || -z $command ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "    fi\n}\ncomplete -o filenames -F _varnik_cli varnik-cli\n";
}

// zsh's _arguments entries: "[description]" in brackets, ":value:(choices)".
std::string ZshEscaped(const std::string& text)
{
    return std::regex_replace(std::regex_replace(text, std::regex("([\\[\\]:\\\\])"), "\\$1"),
                              std::regex("'"), "'\\''");
}

void WriteZsh(std::ostream& out, const std::vector<CommandInfo>& commands)
{
    out << "#compdef varnik-cli\n\n_varnik_cli()\n{\n    local -a commands=(\n";
    for (const CommandInfo& command : commands)
        if (!command.mName.empty())
            out << "        '" << command.mName << ':' << ZshEscaped(command.mDescription) << "'\n";
    out << "    )\n    if (( CURRENT == 2 )); then\n"
           "        _describe command commands\n        _arguments '--help' '--version'\n"
           "        return\n    fi\n    words=(\"${words[@]:1}\")\n    (( CURRENT-- ))\n"
           "    case $words[1] in\n";
    for (const CommandInfo& command : commands)
    {
        if (command.mName.empty())
            continue;
        out << "        " << command.mName << ") _arguments";
        for (const OptionInfo& option : command.mOptions)
            for (const std::string& spelling : Spellings(option))
            {
                out << " \\\n            '" << (option.mRepeatable ? "*" : "") << spelling << '['
                    << ZshEscaped(option.mDescription) << ']';
                if (!option.mValue.empty())
                    out << ':' << ZshEscaped(option.mValue) << ':';
                if (!option.mChoices.empty())
                    out << '(' << Joined(option.mChoices, " ") << ')';
                else if (!option.mChoicesCommand.empty())
                    out << "{compadd -- $(" << option.mChoicesCommand << ")}";
                out << "'";
            }
        out << " \\\n            '*:file:_files' ;;\n";
    }
    out << "    esac\n}\n\n_varnik_cli \"$@\"\n";
}

void WriteFish(std::ostream& out, const std::vector<CommandInfo>& commands)
{
    out << "# fish completion for varnik-cli\n";
    for (const CommandInfo& command : commands)
    {
        const std::string condition = command.mName.empty()
                                          ? "__fish_use_subcommand"
                                          : "'__fish_seen_subcommand_from " + command.mName + "'";
        if (!command.mName.empty())
            out << "complete -c varnik-cli -n __fish_use_subcommand -a " << command.mName << " -d "
                << Quoted(command.mDescription) << '\n';
        for (const OptionInfo& option : command.mOptions)
        {
            out << "complete -c varnik-cli -n " << condition;
            for (const std::string& name : option.mShort)
                out << " -s " << name;
            for (const std::string& name : option.mLong)
                out << " -l " << name;
            if (!option.mChoices.empty())
                out << " -x -a " << Quoted(Joined(option.mChoices, " "));
            else if (!option.mChoicesCommand.empty())
                out << " -x -a " << Quoted("(" + option.mChoicesCommand + ")");
            else if (!option.mValue.empty())
                out << " -r";
            out << " -d " << Quoted(option.mDescription) << '\n';
        }
    }
}

// roff: a backslash is written "\e", and a line may not start with "." or "'".
std::string Roff(const std::string& text)
{
    std::string escaped = std::regex_replace(text, std::regex("\\\\"), "\\e");
    escaped = std::regex_replace(escaped, std::regex("-"), "\\-");
    return escaped.starts_with('.') || escaped.starts_with('\'') ? "\\&" + escaped : escaped;
}

// What the manual says beyond the options: the output forms and the exit status.
constexpr char MANUAL_END[] = R"roff(.SH OUTPUT
.TP
.B scan
The folder's counter tree, indented by two spaces per level; with \-\-json, every node with
its counters as one line of JSON; with \-\-table, one row per file type, file or folder; with
\-\-census, the names that #if, #ifdef and #ifndef test, by count, with their shares.
Tables print as aligned text, CSV, TSV, Markdown or JSON (\-\-format). A file as ROOT is a
tree that holds it alone, read whatever the ignore files say; several roots are scanned in
turn and reported as merge reports their scans.
.TP
.B search
The tree of folders and files with matches, each matching line as "Line N : text"; with
\-\-json, the same as JSON; with \-\-flat, one "path:line:text" line per match; with \-l, the
files with a match; with \-c, "path:count" per file. Several roots, files or folders, are
searched in turn and their results listed in that order under a root ".". Without \-e, the
last argument is the TEXT.
.TP
.B diff
Folder by folder, every count that changed ("old \-> new (difference)"), the #if names that
appeared (+) or vanished (\-), and the files and folders added (+) or removed (\-); with
\-\-json, the same as JSON.
.PP
On a terminal, control characters in names and lines are shown escaped (\ex1b, \er), and
search matches are coloured (\-\-color).
.SH EXIT STATUS
.TP
.B 0
A scan; a search that matched; a diff without changes.
.TP
.B 1
A search that matched nothing; a diff with changes.
.TP
.B 2
An error, reported on one line of the error stream with nothing on the output.
)roff";

void WriteManual(std::ostream& out, const std::vector<CommandInfo>& commands)
{
    out << ".TH VARNIK-CLI 1 \"\" \"varnik-cli " VARNIK_VERSION "\" \"User Commands\"\n"
           ".SH NAME\nvarnik\\-cli \\- "
        << Roff(commands.front().mDescription) << "\n.SH SYNOPSIS\n";
    for (const CommandInfo& command : commands)
        if (!command.mName.empty())
            out << ".B varnik\\-cli " << command.mName << "\n[\\fIOPTIONS\\fR] "
                << Roff(Joined(command.mPositionals, " ")) << "\n.br\n";
    out << ".B varnik\\-cli\n\\-\\-help | \\-\\-version\n";
    for (const CommandInfo& command : commands)
    {
        out << ".SH " << (command.mName.empty() ? "OPTIONS" : "COMMAND " + command.mName) << '\n';
        if (!command.mName.empty())
            out << Roff(command.mDescription) << ".\n";
        for (const OptionInfo& option : command.mOptions)
        {
            out << ".TP\n.B " << Roff(Joined(Spellings(option), ", "));
            if (!option.mValue.empty())
                out << " \\fI" << Roff(option.mValue) << "\\fR";
            out << '\n'
                << Roff(option.mDescription) << (option.mRepeatable ? " (repeatable)" : "")
                << ".\n";
        }
    }
    out << MANUAL_END;
}

} // namespace

const std::vector<std::string>& Forms()
{
    static const std::vector<std::string> forms = {"bash", "zsh", "fish", "man"};
    return forms;
}

void Write(std::ostream& out, const CLI::App& cli, const std::string& form)
{
    const std::vector<CommandInfo> commands = DescribeAll(cli);
    if (form == "bash")
        WriteBash(out, commands);
    else if (form == "zsh")
        WriteZsh(out, commands);
    else if (form == "fish")
        WriteFish(out, commands);
    else
        WriteManual(out, commands);
}

} // namespace VarnikCli::CommandLineHelp
