#include "cli/ScanHeader.h"

#include "cli/Joined.h"
#include "engine/options/AnalysisSwitch.h"

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
    for (const Vn::AnalysisSwitch& option : Vn::ANALYSIS_SWITCHES)
    {
        if (option.IsOn(options))
            flags.push_back(option.Spelled('='));
    }
    for (const auto& countAs : options.mCountAs)
        flags.push_back("--count-as=" + countAs.mExtension + ":" + countAs.mType);
    for (const std::string& pattern : options.mWalk.mExcludes)
        flags.push_back("--exclude=" + pattern);
    for (const std::string& file : options.mLanguageFiles)
        flags.push_back("--language-file=" + file);
    return flags;
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
    const char* mode = flags.empty() ? "classic" : options.IsPrecise() ? "precise" : "options";
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
