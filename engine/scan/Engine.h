#pragma once

#include "engine/options/AnalysisOptions.h"
#include "engine/parsers/FileParser_List.h"
#include "engine/scan/FolderParser.h"

#include <memory>

namespace Vn
{

// What a pass needs, set up once from the analysis options: the parser registry (or the
// language table) and the folder parser that walks with it, given the same options and the
// number of worker threads. The command line and the window both build their passes here,
// so the registry and the walker can never be made with different options.
// Not shared between threads; the folder parser's own rules apply to its passes.
class Engine
{
public:
    // `jobs` 0 means one worker per core. Throws std::invalid_argument for a "count as"
    // whose type the options do not register, and what the language table's loader throws.
    Engine(const AnalysisOptions& options, unsigned jobs);

    const FileParser_List& GetRegistry() const { return *mRegistry; }
    FolderParser& GetFolderParser() { return mFolderParser; }

private:
    const std::unique_ptr<FileParser_List> mRegistry;
    FolderParser mFolderParser; // after the registry, which it uses
};

} // namespace Vn
