#include "engine/scan/Engine.h"

#include <thread>

namespace Vn
{

Engine::Engine(const AnalysisOptions& options, unsigned jobs)
    : mRegistry(FileParser_List::CreateFilled(options)), mFolderParser(mRegistry.get())
{
    mFolderParser.SetOptions(options);
    mFolderParser.SetJobs(jobs != 0 ? jobs : std::thread::hardware_concurrency());
}

} // namespace Vn
