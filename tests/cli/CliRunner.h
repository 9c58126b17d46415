#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliApp.h"

namespace zelkit::test {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

inline CliResult runCli(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace zelkit::test
