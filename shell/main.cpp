#include "shell/application.h"

int main(int argc, char **argv)
{
    return ort::runProgram(argc, argv);
}
