#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace zelkit {

// Builds little-endian bytes in memory: records, headers, whole files before they are saved.
class BinaryWriter {
public:
    void u8(std::uint8_t v) { mBytes.push_back(v); }
    void u16(std::uint16_t v) { put(v); }
    void u32(std::uint32_t v) { put(v); }
    void i16(std::int16_t v) { put(v); }
    void i32(std::int32_t v) { put(v); }
    void f32(float v) { put(v); }
    void bytes(std::span<const std::uint8_t> data) { mBytes.insert(mBytes.end(), data.begin(), data.end()); }
    void text(std::string_view s) { mBytes.insert(mBytes.end(), s.begin(), s.end()); }
    // s cut to width bytes, zero-padded to width.
    void fixedString(std::string_view s, std::size_t width)
    {
        const std::size_t n = std::min(s.size(), width);
        mBytes.insert(mBytes.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
        mBytes.insert(mBytes.end(), width - n, 0);
    }
    void zeros(std::size_t count) { mBytes.insert(mBytes.end(), count, 0); }
    // Overwrites a 32-bit value written earlier, e.g. a size known only later.
    void patchU32(std::size_t at, std::uint32_t v) { std::memcpy(mBytes.data() + at, &v, 4); }

    [[nodiscard]] std::size_t size() const { return mBytes.size(); }
    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return mBytes; }
    [[nodiscard]] std::vector<std::uint8_t> take() { return std::move(mBytes); }

private:
    template <typename T> void put(T v)
    {
        std::uint8_t raw[sizeof(T)];
        std::memcpy(raw, &v, sizeof(T));
        mBytes.insert(mBytes.end(), raw, raw + sizeof(T));
    }
    std::vector<std::uint8_t> mBytes;
};

} // namespace zelkit
