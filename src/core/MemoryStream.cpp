#include "core/MemoryStream.h"

#include <algorithm>
#include <limits>

#include "core/Error.h"

namespace zelkit {

namespace {
std::size_t checkedSize(std::uint64_t value)
{
    if (value > std::numeric_limits<std::size_t>::max() / 2)
        throw Error("Not enough memory for " + std::to_string(value) + " bytes");
    return static_cast<std::size_t>(value);
}
} // namespace

void MemoryStream::setSize(std::uint64_t newSize)
{
    mBytes.resize(checkedSize(newSize));
}

void MemoryStream::readAt(std::uint64_t pos, std::span<std::uint8_t> out) const
{
    if (pos > mBytes.size() || out.size() > mBytes.size() - pos)
        throw ReadError();
    std::copy_n(mBytes.begin() + static_cast<std::ptrdiff_t>(pos), out.size(), out.begin());
}

void MemoryStream::writeAt(std::uint64_t pos, std::span<const std::uint8_t> data)
{
    const std::size_t end = checkedSize(pos + data.size());
    if (end > mBytes.size())
        mBytes.resize(end);
    std::copy(data.begin(), data.end(), mBytes.begin() + static_cast<std::ptrdiff_t>(pos));
}

} // namespace zelkit
