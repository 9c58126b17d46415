#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace zelkit::cli {

// Runs zelkit-cli with args (without the program name). Returns the exit status: 0 on success,
// 1 after a failure (one line on err naming the file), 2 for wrong usage.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zelkit::cli
