#pragma once
#include <CLI/CLI.hpp>
#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace zelkit::cli {

// Where a command writes; commands never touch std::cout so tests can run them in-process.
struct Output {
    std::ostream& out;
    std::ostream& err;
};

// Names and texts are 8-bit; JSON wants UTF-8, so each byte becomes the character of that number.
[[nodiscard]] std::string latin1ToUtf8(const std::string& bytes);
[[nodiscard]] std::string utf8ToLatin1(const std::string& text);

// A file name for an entry name: no folders, nothing hidden behind "." or "..".
[[nodiscard]] std::string safeFileName(const std::string& entryName);

// The file's name as a reader would open it and its bytes.
[[nodiscard]] std::vector<std::uint8_t> readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
void makeFolder(const std::string& path);

// Each file kind adds its subcommands under the top-level app.
using Registration = std::function<void(CLI::App& app, Output& io)>;
void addImgCommands(CLI::App& app, Output& io);
void addDemoCommand(CLI::App& app, Output& io);

} // namespace zelkit::cli
