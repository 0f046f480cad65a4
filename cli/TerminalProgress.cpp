#include "cli/TerminalProgress.h"

#include "lib/Format.h"

#include <cinttypes>

namespace VarnikCli
{
namespace
{

// Back to the start of the line, and erase to its end.
constexpr char ERASE_LINE[] = "\r\x1b[K";

} // namespace

TerminalProgress::TerminalProgress(std::ostream& terminal, std::string activity,
                                   std::chrono::milliseconds delay)
    : mTerminal(terminal), mActivity(std::move(activity)),
      mShowFrom(std::chrono::steady_clock::now() + delay)
{
}

TerminalProgress::~TerminalProgress()
{
    Clear();
}

void TerminalProgress::Show(const Vn::Progress& progress)
{
    if (std::chrono::steady_clock::now() < mShowFrom)
    {
        return;
    }
    mTerminal << ERASE_LINE
              << TrovLib::Format("%s: %" PRIu64 " folders, %" PRIu64 " files", mActivity.c_str(),
                                 progress.mFolders, progress.mFiles)
              << std::flush;
    mShown = true;
}

void TerminalProgress::Clear()
{
    if (mShown)
    {
        mTerminal << ERASE_LINE << std::flush;
        mShown = false;
    }
}

} // namespace VarnikCli
