#include "core/BinaryReader.h"

#include <algorithm>

namespace zelkit {

void BinaryReader::seek(std::size_t pos)
{
    if (pos > mBytes.size())
        throw FormatError(mSource, mBase + pos, "position lies past the end of the data");
    mPos = pos;
}

std::span<const std::uint8_t> BinaryReader::bytes(std::size_t count, const char* what)
{
    require(count, what);
    auto result = mBytes.subspan(mPos, count);
    mPos += count;
    return result;
}

void BinaryReader::bytesInto(std::span<std::uint8_t> out, const char* what)
{
    auto in = bytes(out.size(), what);
    std::copy(in.begin(), in.end(), out.begin());
}

std::string BinaryReader::fixedString(std::size_t width)
{
    auto field = bytes(width, "name");
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

BinaryReader BinaryReader::child(std::size_t count, const char* what)
{
    require(count, what);
    BinaryReader sub(mBytes.subspan(mPos, count), mSource, mBase + mPos);
    mPos += count;
    return sub;
}

void BinaryReader::fail(const std::string& problem) const
{
    throw FormatError(mSource, offset(), problem);
}

void BinaryReader::require(std::size_t count, const char* what) const
{
    if (count > remaining())
        fail(std::string(what) + " of " + std::to_string(count) + " bytes reaches past the end (" +
             std::to_string(remaining()) + " bytes left)");
}

} // namespace zelkit
