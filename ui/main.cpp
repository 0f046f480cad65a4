#include "ui/MainDialog.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // Answered before Qt starts, so that it works without a display.
    if (const auto answer = Varnik::MainDialog::CommandLine_Answer(argc, argv))
    {
        std::FILE* out = answer->mStatus == 0 ? stdout : stderr;
        const bool written = std::fputs(answer->mText.c_str(), out) >= 0 && std::fflush(out) == 0;
        return written ? answer->mStatus : 1;
    }
    return Varnik::MainDialog::Run(argc, argv);
}
