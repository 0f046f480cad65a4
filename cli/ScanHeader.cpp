#include "cli/ScanHeader.h"

#include "cli/Joined.h"

#include <climits>
#include <cstdlib>

namespace VarnikCli
{
namespace
{

// The flags that select `options`, in the order of --help.
std::vector<std::string> FlagsOf(const Vn::AnalysisOptions& options)
{
    std::vector<std::string> flags;
    for (const auto& countAs : options.mCountAs)
        flags.push_back("--count-as=" + countAs.mExtension + ":" + countAs.mType);
    if (options.mCommonTypes)
        flags.emplace_back("--common-types");
    if (options.mWalk.mIgnoreRules == TrovLib::IgnoreRules::Git)
        flags.emplace_back("--ignore-rules=git");
    for (const std::string& pattern : options.mWalk.mExcludes)
        flags.push_back("--exclude=" + pattern);
    if (!options.mWalk.mReadIgnoreFiles)
        flags.emplace_back("--no-ignore");
    if (options.mModernCpp)
        flags.emplace_back("--modern-cpp");
    if (!options.mWalk.mFollowFileLinks)
        flags.emplace_back("--no-follow-links");
    if (options.mLanguages)
        flags.emplace_back("--languages");
    for (const std::string& file : options.mLanguageFiles)
        flags.push_back("--language-file=" + file);
    return flags;
}

// --precise leaves out the options that name things of the user's own.
bool IsPrecise(const Vn::AnalysisOptions& options)
{
    const Vn::AnalysisOptions precise = Vn::AnalysisOptions::Precise();
    return options.mCommonTypes == precise.mCommonTypes &&
           options.mModernCpp == precise.mModernCpp && options.mLanguages == precise.mLanguages &&
           options.mWalk.mIgnoreRules == precise.mWalk.mIgnoreRules &&
           options.mWalk.mReadIgnoreFiles == precise.mWalk.mReadIgnoreFiles &&
           options.mWalk.mFollowFileLinks == precise.mWalk.mFollowFileLinks;
}

std::string AbsolutePath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? resolved : path;
}

} // namespace

ScanHeader ScanHeader::OfScan(const Vn::AnalysisOptions& options, const std::string& root)
{
    std::vector<std::string> flags = FlagsOf(options);
    const char* mode = flags.empty() ? "classic" : IsPrecise(options) ? "precise" : "options";
    return {VARNIK_VERSION, "scan", AbsolutePath(root), mode, std::move(flags)};
}

void ScanHeader::Write(JsonWriter& json) const
{
    json.StartObject();
    json.Key("version");
    json.String(mVersion);
    json.Key("kind");
    json.String(mKind);
    if (!mRoot.empty())
        json.Name("root", "rootHex", mRoot);
    json.Key("mode");
    json.String(mMode);
    json.Key("options");
    json.StartArray();
    for (const std::string& option : mOptions)
        json.String(option);
    json.EndArray();
    json.EndObject();
}

std::string ScanHeader::DescribeOptions() const
{
    return mOptions.empty() ? mMode : mMode + " " + Joined(mOptions, " ");
}

std::vector<std::string> HeaderWarnings(const ScanHeader* oldHeader, const ScanHeader* newHeader)
{
    std::vector<std::string> warnings;
    for (const auto& [side, header] : {std::pair{"old", oldHeader}, std::pair{"new", newHeader}})
    {
        if (header == nullptr)
            warnings.push_back(std::string("warning: the ") + side +
                               " scan records neither its version nor its options");
    }
    if (!warnings.empty())
        return warnings;
    if (oldHeader->mVersion != newHeader->mVersion)
        warnings.push_back("warning: the scans were made by different versions: " +
                           oldHeader->mVersion + " and " + newHeader->mVersion);
    if (oldHeader->mMode != newHeader->mMode || oldHeader->mOptions != newHeader->mOptions)
        warnings.push_back("warning: the scans were made with different options: " +
                           oldHeader->DescribeOptions() + " and " + newHeader->DescribeOptions());
    return warnings;
}

} // namespace VarnikCli
