#pragma once

#include <ostream>

namespace VarnikCli
{

// The command-line companion: parses the arguments and runs one of its commands (scan,
// search, diff, merge, languages, explain), each of which prints its answer on the output.
//
// Exit status: 0 for a scan, for a search that matched and for a diff without changes;
// 1 for a search that matched nothing and for a diff with changes; 2 for any error,
// which prints one line on the error stream and nothing on the output.
// Not shared between threads.
class App
{
public:
    static constexpr int EXIT_ERROR = 2;

    struct Terminals
    {
        bool mOut = false; // names and lines are then shown escaped, matches coloured
        bool mErr = false; // passes that take a while then report their progress
    };

    App(std::ostream& out, std::ostream& err, Terminals terminals);

    int Run(int argc, const char* const* argv);

    // Leaves each answer to the system at the end of the process instead of freeing it.
    // For a process that runs one command and ends.
    void LeaveAnswersToExit() { mLeaveAnswersToExit = true; }

private:
    int Fail(const std::string& message);

    std::ostream& mOut;
    std::ostream& mErr;
    const Terminals mTerminals;
    bool mLeaveAnswersToExit = false;
};

} // namespace VarnikCli
