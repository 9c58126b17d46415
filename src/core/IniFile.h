#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zelkit {

// An INI text file: setting.ini, sfx.ini, language files. Section and key names compare without
// regard to case; sections and keys are listed in file order. Values are byte strings.
// Changes stay in memory until save(), which replaces the file atomically.
class IniFile {
public:
    // Reads path if it exists; a missing file gives an empty INI that save() creates.
    explicit IniFile(std::string path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Parses INI text held in memory; save() is then an error unless setPath() gave a file.
    static std::unique_ptr<IniFile> fromText(const std::string& text);

    [[nodiscard]] const std::string& path() const { return mPath; }
    void setPath(std::string path) { mPath = std::move(path); }

    [[nodiscard]] bool hasSection(const std::string& section) const;
    [[nodiscard]] bool hasKey(const std::string& section, const std::string& key) const;
    [[nodiscard]] std::string readString(const std::string& section, const std::string& key,
                                         const std::string& fallback = {}) const;
    [[nodiscard]] int readInteger(const std::string& section, const std::string& key, int fallback) const;
    [[nodiscard]] bool readBool(const std::string& section, const std::string& key, bool fallback) const;
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);

    [[nodiscard]] std::vector<std::string> sections() const;
    [[nodiscard]] std::vector<std::string> keys(const std::string& section) const;
    // The section's key=value lines, in file order.
    [[nodiscard]] std::vector<std::pair<std::string, std::string>> values(const std::string& section) const;
    void eraseSection(const std::string& section);
    void deleteKey(const std::string& section, const std::string& key);

    [[nodiscard]] std::string text() const;
    void save() const;

private:
    IniFile();
    struct Impl;
    std::unique_ptr<Impl> mImpl;
    std::string mPath;
};

} // namespace zelkit
