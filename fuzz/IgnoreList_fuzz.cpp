// Ignore files and their patterns. The wildcard match against the plain recursive rule
// ("*" any run of bytes, the separator included, "?" exactly one byte); and any bytes
// read as an ignore file give patterns that each match the path they spell.

#include "Fuzz.h"
#include "lib/IgnoreList.h"

namespace
{

bool MatchesByTheRule(const char* pattern, const char* text)
{
    if (*pattern == '\0')
        return *text == '\0';
    if (*pattern == '*')
        return MatchesByTheRule(pattern + 1, text) ||
               (*text != '\0' && MatchesByTheRule(pattern, text + 1));
    return *text != '\0' && (*pattern == '?' || *pattern == *text) &&
           MatchesByTheRule(pattern + 1, text + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VarnikFuzz::Input input(data, size);
    // Short enough for the recursive rule to stay fast on runs of stars.
    const std::string pattern = input.Take(input.Byte() % 9);
    const std::string text = input.Take(input.Byte() % 17);
    VarnikFuzz::Require(TrovLib::IgnoreList::MatchWildcard(pattern.c_str(), text.c_str()) ==
                            MatchesByTheRule(pattern.c_str(), text.c_str()),
                        "the wildcard match follows the rule");

    TrovLib::IgnoreList list(nullptr, "sub");
    list.ReadFromText(input.Rest());
    // Every pattern read matches the path it spells, below the list's folder.
    for (const auto& entry : list.GetEntries())
    {
        const bool rooted = (entry.mFlags & TrovLib::IgnoreList::FLAG_ROOTED) != 0;
        const std::string path = (rooted ? "sub/" : "sub/x/") + entry.mText;
        const bool ignored = (entry.mFlags & TrovLib::IgnoreList::FLAG_FOLDER) != 0
                                 ? list.IsFolderIgnored(path.c_str())
                                 : list.IsFileIgnored(path.c_str());
        VarnikFuzz::Require(ignored, "a pattern matches the path it spells");
    }
    return 0;
}
