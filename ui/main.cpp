#include "ui/MainDialog.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Answered before Qt starts, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
        return std::printf("varnik %s\n", VARNIK_VERSION) > 0 && std::fflush(stdout) == 0 ? 0 : 1;
    return Varnik::MainDialog::Run(argc, argv);
}
