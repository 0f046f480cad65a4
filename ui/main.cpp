#include "ui/MainDialog.h"

int main(int argc, char** argv)
{
    return Varnik::MainDialog::Run(argc, argv);
}
