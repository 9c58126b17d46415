#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelkit {

// Removes leading and trailing blanks and control characters (every byte up to and including ' ').
[[nodiscard]] std::string trimmed(std::string_view s);
// Lower-cases ASCII letters only; other bytes are names' own 8-bit characters and stay as they are.
[[nodiscard]] std::string lowerCased(std::string_view s);
[[nodiscard]] bool equalsIgnoreCase(std::string_view a, std::string_view b);
// The bytes of a fixed zero-padded field up to its first zero byte.
[[nodiscard]] std::string fieldText(std::span<const std::uint8_t> field);
[[nodiscard]] std::string fieldText(const char* field, std::size_t width);

// Path helpers with "/" separators.
[[nodiscard]] std::string fileNameOf(std::string_view path);        // "a/b.img" -> "b.img"
[[nodiscard]] std::string extensionOf(std::string_view path);       // "a/B.IMG" -> ".IMG", "" when none
[[nodiscard]] std::string lowerExtensionOf(std::string_view path);  // "a/B.IMG" -> ".img"
[[nodiscard]] std::string withExtension(std::string_view path, std::string_view ext); // ext with dot

} // namespace zelkit
