#pragma once
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "core/Error.h"

namespace zelkit {

// A little-endian cursor over a range of bytes in memory. Every read is checked against the end of
// the range and throws FormatError, naming the source and the absolute offset, when it would pass
// it. Chunks and sections get child readers limited to their own extent.
class BinaryReader {
public:
    // base: the absolute offset of bytes[0] in the source, used in messages.
    BinaryReader(std::span<const std::uint8_t> bytes, std::string source, std::uint64_t base = 0)
        : mBytes(bytes), mSource(std::move(source)), mBase(base)
    {
    }

    [[nodiscard]] std::size_t pos() const { return mPos; }
    [[nodiscard]] std::size_t size() const { return mBytes.size(); }
    [[nodiscard]] std::size_t remaining() const { return mBytes.size() - mPos; }
    [[nodiscard]] bool atEnd() const { return mPos == mBytes.size(); }
    // Absolute offset of the cursor in the source.
    [[nodiscard]] std::uint64_t offset() const { return mBase + mPos; }
    [[nodiscard]] const std::string& source() const { return mSource; }

    void seek(std::size_t pos);
    void skip(std::size_t count) { require(count, "data"); mPos += count; }

    std::uint8_t u8() { return value<std::uint8_t>(); }
    std::uint16_t u16() { return value<std::uint16_t>(); }
    std::uint32_t u32() { return value<std::uint32_t>(); }
    std::int16_t i16() { return value<std::int16_t>(); }
    std::int32_t i32() { return value<std::int32_t>(); }
    float f32() { return value<float>(); }

    // The next count bytes, without copying.
    std::span<const std::uint8_t> bytes(std::size_t count, const char* what = "data");
    void bytesInto(std::span<std::uint8_t> out, const char* what = "data");
    // A fixed zero-padded field of width bytes, cut at its first zero byte.
    std::string fixedString(std::size_t width);
    // A reader over the next count bytes; this cursor moves past them.
    BinaryReader child(std::size_t count, const char* what = "section");

    // Throws FormatError at the cursor's offset.
    [[noreturn]] void fail(const std::string& problem) const;
    // Throws unless count bytes remain.
    void require(std::size_t count, const char* what) const;

private:
    template <typename T> T value()
    {
        require(sizeof(T), "value");
        T result;
        std::memcpy(&result, mBytes.data() + mPos, sizeof(T)); // the host is little-endian (x86-64, ARM)
        mPos += sizeof(T);
        return result;
    }

    std::span<const std::uint8_t> mBytes;
    std::string mSource;
    std::uint64_t mBase;
    std::size_t mPos = 0;
};

} // namespace zelkit
