#include "core/ByteStream.h"

#include <algorithm>
#include <limits>

#include "core/Error.h"

namespace zelkit {

namespace {
constexpr std::size_t kCopyChunk = 1 << 20;
}

std::vector<std::uint8_t> ByteStream::read(std::uint64_t pos, std::size_t length) const
{
    std::vector<std::uint8_t> bytes(length);
    readAt(pos, bytes);
    return bytes;
}

std::vector<std::uint8_t> ByteStream::readAll() const
{
    const std::uint64_t length = size();
    if (length > std::numeric_limits<std::size_t>::max())
        throw ReadError();
    return read(0, static_cast<std::size_t>(length));
}

void copyBytes(const ByteStream& from, std::uint64_t fromPos, ByteStream& to, std::uint64_t toPos,
               std::uint64_t length)
{
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(length, kCopyChunk)));
    while (length > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(length, buffer.size()));
        std::span<std::uint8_t> part(buffer.data(), chunk);
        from.readAt(fromPos, part);
        to.writeAt(toPos, part);
        fromPos += chunk;
        toPos += chunk;
        length -= chunk;
    }
}

void writeZeros(ByteStream& to, std::uint64_t pos, std::uint64_t count)
{
    const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(std::min<std::uint64_t>(count, kCopyChunk)));
    while (count > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(count, zeros.size()));
        to.writeAt(pos, std::span<const std::uint8_t>(zeros.data(), chunk));
        pos += chunk;
        count -= chunk;
    }
}

} // namespace zelkit
