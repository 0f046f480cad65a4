#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace VarnikCli
{

// The command-line companion: parses the arguments, runs a scan or a search with the
// engine and prints the answer as text or JSON.
//
// Exit status: 0 for a scan, and for a search that matched; 1 for a search that matched
// nothing; 2 for any error, which prints one line on the error stream and nothing on
// the output.
class App
{
public:
    static constexpr int EXIT_NO_MATCH = 1;
    static constexpr int EXIT_ERROR = 2;

    // With `showProgress`, passes that take a while report on the error stream, which
    // must then be a terminal.
    App(std::ostream& out, std::ostream& err, bool showProgress);

    int Run(int argc, const char* const* argv);

    // Leaves each answer to the system at the end of the process instead of freeing it:
    // a large tree takes a noticeable while to free counter by counter. For a process
    // that runs one command and ends.
    void LeaveAnswersToExit() { mLeaveAnswers = true; }

private:
    struct Options
    {
        bool mJson = false;
        unsigned mJobs = 0; // 0: one per core
        bool mIgnoreCase = false;
        std::vector<std::string> mZones = {"code", "comment", "directive", "string"};
        std::vector<std::string> mTypes;
        std::string mRoot;
        std::string mText;
    };

    static void DefineCommands(CLI::App& cli, Options& options);
    int Scan(const Options& options);
    int Search(const Options& options);
    template <class Pass> auto RunPass(const char* activity, unsigned jobs, Pass pass);
    void Flush();
    template <class Answer> void Release(std::unique_ptr<Answer> answer) const;
    int Fail(const std::string& message);

    std::ostream& mOut;
    std::ostream& mErr;
    const bool mShowProgress;
    bool mLeaveAnswers = false;
};

} // namespace VarnikCli
