#pragma once
#include "formats/img/ImgArchive.h"

namespace zelkit {

// Version 2: one file holding "VER2", the record count, the records from byte 8, and the data in
// the sectors after them.
class TIMGV2Archive final : public ImgArchive {
public:
    TIMGV2Archive(const std::string& path, bool createNew);
    // Over a given storage; createNew writes the empty archive into it first.
    TIMGV2Archive(std::string fileName, std::unique_ptr<Storage> storage, bool createNew = false);

    [[nodiscard]] std::string versionText() const override { return Header; }
    [[nodiscard]] int version() const override { return 2; }
    [[nodiscard]] std::uint32_t entryCount() const { return EntryCount; }

    void SaveDirectory() override;
    void Rebuild(const Progress& progress = {}) override;

    static constexpr std::uint64_t kHeaderSize = 8;

private:
    void open(bool createNew);
    void writeRecord(const TIMGEntry& entry) override;
    void prepareRecordSlot(std::size_t slot) override;
    void appendRecord(const TIMGEntry& entry) override;
    [[nodiscard]] std::int32_t nextRecordSlot() const override { return static_cast<std::int32_t>(EntryCount); }
    [[nodiscard]] std::uint32_t appendSector() const override;
    void writeCount(ByteStream& to, std::uint32_t count);
    static std::uint64_t recordPos(std::size_t slot) { return kHeaderSize + kImgRecordSize * slot; }
    // Moves entry k's data to the end of the file and rewrites its record.
    void moveToEnd(std::size_t k);

    std::string Header;
    std::uint32_t EntryCount = 0;
};

} // namespace zelkit
