#include "formats/img/TIMGEntry.h"

#include <algorithm>
#include <cstring>

#include "core/Error.h"
#include "core/Text.h"

namespace zelkit {

std::string TIMGEntry::name() const
{
    return fieldText(Name.data(), Name.size());
}

void TIMGEntry::setName(std::string_view name)
{
    Name.fill(0);
    std::copy_n(name.begin(), std::min(name.size(), Name.size()), Name.begin());
}

std::array<std::uint8_t, kImgRecordSize> TIMGEntry::record() const
{
    std::array<std::uint8_t, kImgRecordSize> bytes{};
    std::memcpy(bytes.data(), &Offset, 4);
    std::memcpy(bytes.data() + 4, &Size, 4);
    std::memcpy(bytes.data() + 8, Name.data(), kImgNameSize);
    return bytes;
}

TIMGEntry TIMGEntry::fromRecord(std::span<const std::uint8_t> record, std::int32_t index)
{
    TIMGEntry entry;
    std::memcpy(&entry.Offset, record.data(), 4);
    std::memcpy(&entry.Size, record.data() + 4, 4);
    std::memcpy(entry.Name.data(), record.data() + 8, kImgNameSize);
    entry.Index = index;
    return entry;
}

std::uint32_t sectorsFor(std::uint64_t length)
{
    const std::uint64_t sectors = (length + kSectorSize - 1) / kSectorSize;
    if (sectors > UINT32_MAX)
        throw Error("The file is too large for an archive entry (" + std::to_string(length) + " bytes)");
    return static_cast<std::uint32_t>(sectors);
}

std::uint32_t sectorAtOrAfter(std::uint64_t pos)
{
    return sectorsFor(pos);
}

} // namespace zelkit
