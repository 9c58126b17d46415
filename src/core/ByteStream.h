#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zelkit {

// Random-access bytes with 64-bit positions: the one abstraction every format reads and writes.
// readAt either fills the whole span or throws ReadError; writeAt past the end grows the stream,
// zero-filling any hole.
class ByteStream {
public:
    virtual ~ByteStream() = default;

    [[nodiscard]] virtual std::uint64_t size() const = 0;
    virtual void setSize(std::uint64_t newSize) = 0;
    virtual void readAt(std::uint64_t pos, std::span<std::uint8_t> out) const = 0;
    virtual void writeAt(std::uint64_t pos, std::span<const std::uint8_t> data) = 0;
    // Makes written bytes durable (a file's data reaches the disk).
    virtual void flush() = 0;
    // A name for messages: the path of a file, a description otherwise.
    [[nodiscard]] virtual std::string name() const = 0;

    // Convenience on top of the primitives.
    [[nodiscard]] std::vector<std::uint8_t> read(std::uint64_t pos, std::size_t length) const;
    [[nodiscard]] std::vector<std::uint8_t> readAll() const;
    void append(std::span<const std::uint8_t> data) { writeAt(size(), data); }
};

// Copies length bytes between streams in bounded chunks, so large entries never sit whole in memory.
void copyBytes(const ByteStream& from, std::uint64_t fromPos, ByteStream& to, std::uint64_t toPos,
               std::uint64_t length);

// Writes count zero bytes at pos.
void writeZeros(ByteStream& to, std::uint64_t pos, std::uint64_t count);

} // namespace zelkit
