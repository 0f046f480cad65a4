#pragma once

#include "engine/scan/Progress.h"

#include <chrono>
#include <ostream>
#include <string>

namespace VarnikCli
{

// One self-erasing line on a terminal that counts the folders and files of a pass.
// It appears only once the pass has run for `delay`, so short passes print nothing.
class TerminalProgress
{
public:
    TerminalProgress(std::ostream& terminal, std::string activity, std::chrono::milliseconds delay);
    ~TerminalProgress();

    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void Show(const Vn::Progress& progress);
    // Erases the line, if it was shown, so that the output starts on a clean line.
    void Clear();

private:
    std::ostream& mTerminal;
    const std::string mActivity;
    const std::chrono::steady_clock::time_point mShowFrom;
    bool mShown = false;
};

} // namespace VarnikCli
