#pragma once

#include "cli/Console.h"
#include "cli/EnginePass.h"
#include "cli/FlatReport.h"
#include "engine/search/SearchRequest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VarnikCli
{

// `search ROOT... TEXT` or `search -e PATTERN ROOT...`: finds the lines of a tree that
// hold a text, or match a regular expression, and prints the result tree, its JSON, or one
// line per match, per file or per file with its count. Several roots, folders or files,
// are searched in turn, and their results listed in that order.
// Not shared between threads.
class SearchCommand
{
public:
    static constexpr int EXIT_NO_MATCH = 1;

    // What --zones takes.
    static const std::vector<std::string> ZONE_NAMES;

    explicit SearchCommand(CLI::App& cli);

    bool Parsed() const;
    int Run(Console& console) const;

private:
    bool IsRegex() const;
    std::vector<std::string> Roots() const;
    Vn::SearchRequest Request() const;
    bool IsFlat() const;
    FlatReport::Options FlatOptions(bool highlight) const;
    bool UseColor(const Console& console) const;

    CLI::App* mCommand;
    EnginePass mPass;
    std::vector<std::string> mPositionals; // the roots, then the TEXT unless -e is given
    std::string mRegex;
    bool mJson = false;
    bool mFlat = false;
    bool mFiles = false;
    bool mCounts = false;
    bool mNull = false;
    unsigned mAfter = 0;
    unsigned mBefore = 0;
    unsigned mContext = 0;
    std::string mColor = "auto";
    bool mIgnoreCase = false;
    bool mWholeWord = false;
    uint64_t mMaxCount = UINT64_MAX;
    std::vector<std::string> mZones; // every zone unless --zones says otherwise
    std::vector<std::string> mTypes;
    std::vector<std::string> mGlobs;
};

} // namespace VarnikCli
