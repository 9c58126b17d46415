#include <iostream>

#include "cli/CliApp.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return zelkit::cli::runCli(args, std::cout, std::cerr);
}
