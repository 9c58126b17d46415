#pragma once
#include "formats/img/ImgArchive.h"

namespace zelkit {

// Version 1: the data in an ".img", the directory of 32-byte records in the ".dir" beside it.
class TIMGArchive final : public ImgArchive {
public:
    // Opens path and the ".dir" beside it (dirPath when given), or creates both empty.
    TIMGArchive(const std::string& path, bool createNew, const std::string& dirPath = {});
    // Over given storages; for tests and in-memory archives.
    TIMGArchive(std::string fileName, std::unique_ptr<Storage> img, std::unique_ptr<Storage> dir);

    [[nodiscard]] std::string versionText() const override { return "VER1"; }
    [[nodiscard]] int version() const override { return 1; }
    [[nodiscard]] const ByteStream& directoryStream() const { return mDir->stream(); }

    void SaveDirectory() override;
    void Rebuild(const Progress& progress = {}) override;

private:
    void readDirectory();
    void writeRecord(const TIMGEntry& entry) override;
    void appendRecord(const TIMGEntry& entry) override;
    [[nodiscard]] std::int32_t nextRecordSlot() const override;
    static std::vector<std::uint8_t> directoryBytes(const std::vector<TIMGEntry>& entries);

    std::unique_ptr<Storage> mDir;
};

} // namespace zelkit
