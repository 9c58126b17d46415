#include "cli/CliCommon.h"

#include <cerrno>
#include <sys/stat.h>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/FileStream.h"

namespace zelkit::cli {

std::string latin1ToUtf8(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (b >> 6));
            text += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return text;
}

std::string utf8ToLatin1(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b == 0xC2 || b == 0xC3) && i + 1 < text.size()) {
            bytes += static_cast<char>(((b & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
            ++i;
        } else if (b < 0x80) {
            bytes += text[i];
        } else {
            throw Error("The text holds a character that is not an 8-bit character");
        }
    }
    return bytes;
}

std::string safeFileName(const std::string& entryName)
{
    std::string name;
    for (const char c : entryName)
        name += (c == '/' || c == '\\' || c == '\0') ? '_' : c;
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return name;
}

std::vector<std::uint8_t> readWholeFile(const std::string& path)
{
    FileStream file(path, FileStream::Mode::ReadOnly);
    return file.readAll();
}

void writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    saveFileAtomically(path, bytes);
}

void makeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
        throw FileError::cannotCreate(path, errno);
}

} // namespace zelkit::cli
