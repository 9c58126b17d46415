#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelkit {

inline constexpr std::uint64_t kSectorSize = 2048;
inline constexpr std::size_t kImgRecordSize = 32;
inline constexpr std::size_t kImgNameSize = 24;

// One directory record in memory, shared by both archive versions.
struct TIMGEntry {
    std::uint32_t Offset = 0; // first sector of the data
    std::uint32_t Size = 0;   // sectors occupied
    std::array<char, kImgNameSize> Name{}; // zero-padded; 24 characters have no terminator
    std::int32_t Index = 0;   // record slot in the directory
    bool Deleted = false;     // removed by the next SaveDirectory

    // The name up to its first zero byte.
    [[nodiscard]] std::string name() const;
    // Stores the first 24 bytes of name as given, the rest zero.
    void setName(std::string_view name);

    [[nodiscard]] std::uint64_t byteOffset() const { return Offset * kSectorSize; }
    [[nodiscard]] std::uint64_t byteSize() const { return Size * kSectorSize; }

    // The 32-byte record as stored: Offset, Size, Name.
    [[nodiscard]] std::array<std::uint8_t, kImgRecordSize> record() const;
    static TIMGEntry fromRecord(std::span<const std::uint8_t> record, std::int32_t index);
};

// Sectors needed for length bytes, rounded up.
[[nodiscard]] std::uint32_t sectorsFor(std::uint64_t length);
// The first sector at or after byte position pos.
[[nodiscard]] std::uint32_t sectorAtOrAfter(std::uint64_t pos);

} // namespace zelkit
