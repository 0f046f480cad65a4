#include "cli/App.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    VarnikCli::App app(std::cout, std::cerr,
                       {isatty(STDOUT_FILENO) == 1, isatty(STDERR_FILENO) == 1});
    app.LeaveAnswersToExit();
    return app.Run(argc, argv);
}
