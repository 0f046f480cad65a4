// Writes the lists that README.md, docs/ and the manual page sources hold, from the tables
// that the programs read, so that no list drifts from what the programs do. A list stands
// between markers: "<!-- generated: NAME -->" and "<!-- end -->" in Markdown and XML, where
// it may sit inside a sentence, and lines ".\" generated: NAME" and ".\" end" in roff, where
// it is whole lines.
//
//   varnik-doc-lists [--write] ROOT FILE...
//
// checks the files (relative to ROOT) and fails naming each list that is out of date, or,
// with --write, brings them up to date.

#include "engine/options/AnalysisSwitch.h"
#include "engine/parsers/FileParser_List.h"
#include "engine/search/SearchZone.h"

#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <regex>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace
{

enum class Form
{
    INLINE, // Markdown or XML
    ROFF,
};

std::string Joined(const std::vector<std::string>& words, const char* between)
{
    std::string joined;
    for (const std::string& word : words)
        joined += (joined.empty() ? "" : between) + word;
    return joined;
}

std::string TypeList(std::span<const Vn::Registration> table)
{
    std::vector<std::string> types;
    for (const Vn::Registration& registration : table)
        types.emplace_back(registration.mType);
    return Joined(types, ", ");
}

std::string RoffItem(const std::string& term, const std::string& text)
{
    return ".TP\n.B " + term + "\n" + text + ".\n";
}

std::string ZoneList(Form form)
{
    std::vector<std::string> items;
    for (const Vn::SearchZone& zone : Vn::SEARCH_ZONES)
        items.push_back(form == Form::INLINE ? zone.mName : RoffItem(zone.mCheckText, zone.mHelp));
    return form == Form::INLINE ? Joined(items, ", ") : Joined(items, "");
}

// The items of the Options menu, each group followed by the item that turns on several.
std::string RoffMenu()
{
    using Group = Vn::AnalysisSwitch::Group;
    std::string text;
    for (const Group group : {Group::READING, Group::LABELS})
    {
        std::vector<std::string> combined;
        for (const Vn::AnalysisSwitch& option : Vn::ANALYSIS_SWITCHES)
        {
            if (option.mGroup != group || option.mMenuText == nullptr)
                continue;
            text += RoffItem(option.mMenuText,
                             std::string(option.mHelp) +
                                 (group == Group::LABELS ? ", with All languages" : ""));
            if (group == Group::LABELS || option.mPrecise)
                combined.push_back(option.mMenuText);
        }
        text += RoffItem(group == Group::READING ? Vn::PRECISE_MENU_TEXT : Vn::ONLY_OWN_MENU_TEXT,
                         "Turns on " + Joined(combined, ", "));
    }
    return text;
}

std::string MarkdownTable()
{
    std::string text =
        "\n| Flag | Options menu | What it does | In `--precise` |\n|---|---|---|---|\n";
    for (const Vn::AnalysisSwitch& option : Vn::ANALYSIS_SWITCHES)
        text += "| `" + option.Spelled() + "` | " + (option.mMenuText ? option.mMenuText : "") +
                " | " + option.mHelp + " | " + (option.mPrecise ? "yes" : "") + " |\n";
    return text;
}

// The list called `name`, in the form of its file; throws for a name it does not know.
std::string List(const std::string& name, Form form)
{
    const std::map<std::string, std::function<std::string()>> lists = {
        {"classic-types", [] { return TypeList(Vn::CLASSIC_TYPES); }},
        {"common-types", [] { return TypeList(Vn::COMMON_TYPES); }},
        {"zones", [form] { return ZoneList(form); }},
        {"options", [form] { return form == Form::INLINE ? MarkdownTable() : RoffMenu(); }},
    };
    const auto list = lists.find(name);
    if (list == lists.end())
        throw std::runtime_error("no list is called \"" + name + "\"");
    return list->second();
}

// The text with every list brought up to date; `stale` gets the names of those that were
// not.
std::string Updated(const std::string& text, std::vector<std::string>& stale)
{
    static const std::regex start(R"(<!-- generated: ([a-z-]+) -->|\.\\" generated: ([a-z-]+)\n)");
    std::string updated;
    auto from = text.cbegin();
    for (std::smatch marker; std::regex_search(from, text.cend(), marker, start);)
    {
        const Form form = marker[1].matched ? Form::INLINE : Form::ROFF;
        const std::string name = form == Form::INLINE ? marker[1] : marker[2];
        const std::string end = form == Form::INLINE ? "<!-- end -->" : ".\\\" end\n";
        const size_t open = marker.suffix().first - text.cbegin();
        const size_t close = text.find(end, open);
        if (close == std::string::npos)
            throw std::runtime_error("the list \"" + name + "\" has no end");
        const std::string list = List(name, form);
        if (text.compare(open, close - open, list) != 0)
            stale.push_back(name);
        updated.append(from, marker.suffix().first).append(list);
        from = text.cbegin() + static_cast<std::ptrdiff_t>(close);
    }
    return updated.append(from, text.cend());
}

// Brings the lists of `file` up to date, or without `write` names those that are not;
// true when all were.
bool UpToDate(const std::string& root, const std::string& file, bool write)
{
    const std::string path = root + "/" + file;
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> stale;
    const std::string updated = Updated(text.str(), stale);
    if (write && !stale.empty())
        std::ofstream(path) << updated;
    for (const std::string& name : write ? std::vector<std::string>() : stale)
        std::cerr << file << ": the list \"" << name << "\" is out of date\n";
    return stale.empty();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool write = !args.empty() && args.front() == "--write";
    const size_t first = write ? 2 : 1; // the first FILE
    if (args.size() <= first)
    {
        std::cerr << "usage: varnik-doc-lists [--write] ROOT FILE...\n";
        return 2;
    }
    bool upToDate = true;
    try
    {
        for (size_t i = first; i < args.size(); i++)
            upToDate = UpToDate(args[first - 1], args[i], write) && upToDate;
    }
    catch (const std::exception& error)
    {
        std::cerr << "varnik-doc-lists: " << error.what() << '\n';
        return 2;
    }
    if (write || upToDate)
        return 0;
    std::cerr << "Bring them up to date with: cmake --build --preset dev --target doc-lists\n";
    return 1;
}
