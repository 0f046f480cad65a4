#pragma once

#include "cli/Output.h"

#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace VarnikCli
{

// What a command prints to, and how the process ends. Not shared between threads.
struct Console
{
    Output mOut;
    std::ostream& mErr;
    // Whether the error stream is a terminal, which then shows the progress of a pass.
    bool mErrIsTerminal;
    // For a process that runs one command and ends: answers are left to the system at
    // the exit, since a large tree takes a noticeable while to free counter by counter.
    bool mLeaveAnswersToExit;
    // Lines for the error stream once the answer is out, such as what could not be read.
    std::vector<std::string> mWarnings;

    // Frees the answer, or keeps it until the exit when answers are left to it.
    template <class Answer> void Discard(std::unique_ptr<Answer> answer) const
    {
        if (!mLeaveAnswersToExit)
            return;
        // Still reachable from here, so leak checkers stay quiet.
        static auto* const kept = new std::vector<std::unique_ptr<Answer>>;
        kept->push_back(std::move(answer));
    }

    // A failed write (a full disk, a closed pipe) must not pass for success.
    void Flush()
    {
        mOut.Stream().flush();
        if (!mOut.Stream())
            throw std::runtime_error("cannot write the output");
    }
};

} // namespace VarnikCli
