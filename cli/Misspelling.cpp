#include "cli/Misspelling.h"

#include "cli/Joined.h"
#include "engine/languages/LanguageText.h"
#include "lib/Format.h"

#include <algorithm>
#include <string_view>

namespace VarnikCli
{
namespace
{

std::vector<std::string> Commands(const CLI::App& cli)
{
    std::vector<std::string> names;
    for (const CLI::App* command : cli.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    return names;
}

// The visible spellings of the options of `command` and of the program.
std::vector<std::string> Options(const CLI::App& cli, const CLI::App* command)
{
    std::vector<std::string> names;
    for (const CLI::App* app : {&cli, command})
        for (const CLI::Option* option :
             app ? app->get_options() : std::vector<const CLI::Option*>{})
            if (!option->get_group().empty() && !option->get_positional())
            {
                for (const std::string& name : option->get_lnames())
                    names.push_back("--" + name);
                for (const std::string& name : option->get_snames())
                    names.push_back("-" + name);
            }
    return names;
}

// The names nearest to `word`, if within half its length and three edits. A short option
// ("-x") is a letter away from every other: nothing is suggested for it.
Misspelling Unknown(const char* what, const std::string& word, std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    size_t best = std::min<size_t>(3, word.size() / 2);
    std::vector<std::string> nearest;
    for (const std::string& name : names)
    {
        const size_t distance = word.size() > 2 ? Vn::Text::EditDistance(word, name) : best + 1;
        if (distance < best)
            nearest.clear();
        if (distance <= best)
            nearest.push_back(name);
        best = std::min(best, distance);
    }
    std::string message = TrovLib::Format("unknown %s \"%s\"", what, word.c_str());
    if (nearest.empty())
        return {message, false};
    return {message + " (did you mean " + Joined(nearest, " or ") + "?)", true};
}

bool IsOptionWord(std::string_view word)
{
    // "-1" is a value, however mistaken; "-" alone names the standard input.
    return word.size() > 1 && word[0] == '-' && !(word[1] >= '0' && word[1] <= '9');
}

bool IsKnownOption(const CLI::App& cli, const CLI::App* command, const std::string& name)
{
    const std::vector<std::string> names = Options(cli, command);
    return std::find(names.begin(), names.end(), name) != names.end() || name == "--help" ||
           name == "-h" || (command == nullptr && name == "--version");
}

} // namespace

Misspelling DescribeMisspelling(const CLI::App& cli, int argc, const char* const* argv)
{
    const std::vector<std::string> commands = Commands(cli);
    const CLI::App* command = nullptr;
    for (int i = 1; i < argc; i++)
    {
        const std::string word = argv[i];
        if (word == "--")
            break;
        if (IsOptionWord(word))
        {
            // A cluster of short flags ("-lc") is CLI11's to judge.
            const std::string name = word.substr(0, word.find('='));
            if ((name.starts_with("--") || name.size() == 2) && !IsKnownOption(cli, command, name))
                return Unknown("option", name, Options(cli, command));
        }
        else if (command == nullptr)
        {
            if (std::find(commands.begin(), commands.end(), word) == commands.end())
                return Unknown("command", word, commands);
            command = cli.get_subcommand(word);
        }
    }
    return {};
}

} // namespace VarnikCli
