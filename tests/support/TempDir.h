#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zelkit::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::string& path() const { return mPath; }
    [[nodiscard]] std::string file(const std::string& name) const { return mPath + "/" + name; }

private:
    std::string mPath;
};

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
[[nodiscard]] std::vector<std::uint8_t> readFile(const std::string& path);
[[nodiscard]] bool fileExists(const std::string& path);
// Names of the files in a folder, sorted.
[[nodiscard]] std::vector<std::string> filesIn(const std::string& folder);
// length bytes of a recognisable pattern.
[[nodiscard]] std::vector<std::uint8_t> patternBytes(std::size_t length, std::uint8_t seed = 1);

} // namespace zelkit::test
