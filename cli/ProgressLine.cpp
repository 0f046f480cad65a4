#include "cli/ProgressLine.h"

#include "lib/Format.h"

#include <cinttypes>

namespace VarnikCli
{
namespace
{

// Back to the start of the line, and erase to its end.
constexpr char ERASE_LINE[] = "\r\x1b[K";

} // namespace

ProgressLine::ProgressLine(std::ostream& terminal, std::string activity,
                           std::chrono::milliseconds delay)
    : mTerminal(terminal), mActivity(std::move(activity)),
      mShowFrom(std::chrono::steady_clock::now() + delay)
{
}

ProgressLine::~ProgressLine()
{
    Clear();
}

void ProgressLine::Show(const Vn::FolderParser::Progress& progress)
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

void ProgressLine::Clear()
{
    if (mShown)
    {
        mTerminal << ERASE_LINE << std::flush;
        mShown = false;
    }
}

} // namespace VarnikCli
