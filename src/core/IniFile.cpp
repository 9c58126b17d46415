#include "core/IniFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "core/AtomicFile.h"
#include "core/Error.h"

namespace zelkit {

struct IniFile::Impl {
    CSimpleIniA ini{false, false, false}; // bytes, not UTF-8; one value per key; no multi-line
};

namespace {
template <typename List> std::vector<std::string> inFileOrder(List list)
{
    list.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::string> names;
    for (const auto& entry : list)
        names.emplace_back(entry.pItem);
    return names;
}
} // namespace

IniFile::IniFile() : mImpl(std::make_unique<Impl>()) {}

IniFile::IniFile(std::string path) : mImpl(std::make_unique<Impl>()), mPath(std::move(path))
{
    std::ifstream in(mPath, std::ios::binary);
    if (!in)
        return;
    std::ostringstream content;
    content << in.rdbuf();
    if (mImpl->ini.LoadData(content.str()) < 0)
        throw FormatError(mPath, 0, "not a readable INI file");
}

IniFile::~IniFile() = default;

std::unique_ptr<IniFile> IniFile::fromText(const std::string& text)
{
    std::unique_ptr<IniFile> file(new IniFile());
    if (file->mImpl->ini.LoadData(text) < 0)
        throw FormatError("INI text", 0, "not readable");
    return file;
}

bool IniFile::hasSection(const std::string& section) const
{
    return mImpl->ini.GetSection(section.c_str()) != nullptr;
}

bool IniFile::hasKey(const std::string& section, const std::string& key) const
{
    return mImpl->ini.GetValue(section.c_str(), key.c_str()) != nullptr;
}

std::string IniFile::readString(const std::string& section, const std::string& key, const std::string& fallback) const
{
    const char* value = mImpl->ini.GetValue(section.c_str(), key.c_str());
    return value ? value : fallback;
}

int IniFile::readInteger(const std::string& section, const std::string& key, int fallback) const
{
    const std::string value = readString(section, key);
    if (value.empty())
        return fallback;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(value.c_str(), &end, 10);
    if (errno != 0 || end == value.c_str() || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX)
        return fallback;
    return static_cast<int>(parsed);
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    mImpl->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniFile::sections() const
{
    CSimpleIniA::TNamesDepend list;
    mImpl->ini.GetAllSections(list);
    return inFileOrder(list);
}

std::vector<std::string> IniFile::keys(const std::string& section) const
{
    CSimpleIniA::TNamesDepend list;
    mImpl->ini.GetAllKeys(section.c_str(), list);
    return inFileOrder(list);
}

std::vector<std::pair<std::string, std::string>> IniFile::values(const std::string& section) const
{
    std::vector<std::pair<std::string, std::string>> result;
    for (const std::string& key : keys(section))
        result.emplace_back(key, readString(section, key));
    return result;
}

void IniFile::eraseSection(const std::string& section)
{
    mImpl->ini.Delete(section.c_str(), nullptr);
}

void IniFile::deleteKey(const std::string& section, const std::string& key)
{
    mImpl->ini.Delete(section.c_str(), key.c_str());
}

std::string IniFile::text() const
{
    std::string out;
    mImpl->ini.Save(out);
    return out;
}

void IniFile::save() const
{
    if (mPath.empty())
        throw Error("The settings have no file to be saved to");
    const std::string content = text();
    saveFileAtomically(mPath, std::span(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
}

} // namespace zelkit
