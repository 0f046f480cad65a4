#pragma once

#include "cli/JsonWriter.h"
#include "engine/options/AnalysisOptions.h"

#include <string>
#include <vector>

namespace VarnikCli
{

// What a file of `scan --json` or `merge --json` says about itself, so that two scans
// compare knowingly: the program's version, the absolute root (none for a merge), and the
// analysis options as the flags that select them. The mode sums the options up: "classic"
// with none, "precise" with those of --precise, "options" otherwise.
struct ScanHeader
{
    std::string mVersion;
    std::string mKind; // "scan" or "merge"
    std::string mRoot; // empty for a merge
    std::string mMode;
    std::vector<std::string> mOptions;

    // The header of a scan of `root` (as the engine names it) under `options`.
    static ScanHeader OfScan(const Vn::AnalysisOptions& options, const std::string& root);

    // {"version", "kind", "root", "rootHex" (see JsonWriter::Name), "mode", "options"}
    void Write(JsonWriter& json) const;

    // "MODE OPTION...", as the warnings of a diff show the options.
    std::string DescribeOptions() const;
};

// The warnings that a comparison of two scans deserves: a side that records no header, or
// two sides that differ in version or options.
std::vector<std::string> HeaderWarnings(const ScanHeader* oldHeader, const ScanHeader* newHeader);

} // namespace VarnikCli
