#include "core/Text.h"

#include <algorithm>

namespace zelkit {

namespace {
bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t extensionStart(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return path.size();
    return dot;
}
} // namespace

std::string trimmed(std::string_view s)
{
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return std::string(s.substr(begin, end - begin));
}

std::string lowerCased(std::string_view s)
{
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(), lowerAscii);
    return result;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::string fieldText(std::span<const std::uint8_t> field)
{
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

std::string fieldText(const char* field, std::size_t width)
{
    return fieldText(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(field), width));
}

std::string fileNameOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string extensionOf(std::string_view path)
{
    return std::string(path.substr(extensionStart(path)));
}

std::string lowerExtensionOf(std::string_view path)
{
    return lowerCased(extensionOf(path));
}

std::string withExtension(std::string_view path, std::string_view ext)
{
    return std::string(path.substr(0, extensionStart(path))) + std::string(ext);
}

} // namespace zelkit
