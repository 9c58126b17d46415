#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ByteStream.h"
#include "core/Progress.h"
#include "core/Storage.h"
#include "formats/img/TIMGEntry.h"

namespace zelkit {

// What both archive versions share: the entry list, the data file, and the operations whose steps
// do not depend on where the directory lives. Every change is written to the files at once.
// Entries are addressed by list position; positions out of range raise an Error.
class ImgArchive {
public:
    virtual ~ImgArchive() = default;
    ImgArchive(const ImgArchive&) = delete;
    ImgArchive& operator=(const ImgArchive&) = delete;

    [[nodiscard]] const std::string& FileName() const { return mFileName; }
    [[nodiscard]] int Count() const { return static_cast<int>(Entries.size()); }
    [[nodiscard]] TIMGEntry GetEntry(int i) const { return Entries.at(checked(i)); }
    [[nodiscard]] const std::vector<TIMGEntry>& entries() const { return Entries; }
    // "VER1" for version 1, the first four bytes of the file for version 2.
    [[nodiscard]] virtual std::string versionText() const = 0;
    [[nodiscard]] virtual int version() const = 0;
    // The file that holds the entries' data (the ".img").
    [[nodiscard]] const ByteStream& dataStream() const { return mData->stream(); }

    // Appends the entry's whole sectors, padding included, to dest.
    void ExtractFile(int i, ByteStream& dest) const;
    // Appends a new entry holding all bytes of source; a failure leaves files and list unchanged.
    void AddFile(std::string_view name, const ByteStream& source);
    // Overwrites entry i's data. Data that fits its sectors is written in place; larger data goes
    // to the end of the archive. Always zero-pads the last sector. Returns true on success.
    bool ReplaceFile(int i, const ByteStream& source);
    void RenameFile(int i, std::string_view name);
    // Appends a copy of entry i under the same name and size.
    void DuplicateFile(int i);
    void MarkDeleted(int i) { Entries.at(checked(i)).Deleted = true; }
    // Removes marked entries and rewrites the directory.
    virtual void SaveDirectory() = 0;
    // Packs every entry in list order into a new file that replaces the old one only when
    // complete; a failure leaves the archive as it was.
    virtual void Rebuild(const Progress& progress = {}) = 0;
    // The Index of the first entry whose trimmed name contains the trimmed text, or -1.
    [[nodiscard]] int FindByName(std::string_view text, bool ignoreCase) const;

protected:
    ImgArchive(std::string fileName, std::unique_ptr<Storage> data);

    [[nodiscard]] ByteStream& data() { return mData->stream(); }
    [[nodiscard]] const ByteStream& data() const { return mData->stream(); }
    [[nodiscard]] Storage& dataStorage() { return *mData; }
    [[nodiscard]] std::size_t checked(int i) const;

    // The first sector after the data file's end and after the directory, if it shares the file.
    [[nodiscard]] virtual std::uint32_t appendSector() const;
    // Writes entry's 32-byte record to its directory slot.
    virtual void writeRecord(const TIMGEntry& entry) = 0;
    // Makes room in the directory for a record in slot `slot` before it is written.
    virtual void prepareRecordSlot(std::size_t slot) { (void)slot; }
    // Writes a new record, makes it part of the directory, or throws having changed nothing.
    virtual void appendRecord(const TIMGEntry& entry) = 0;
    // The slot the next added entry takes.
    [[nodiscard]] virtual std::int32_t nextRecordSlot() const = 0;

    // Writes source at sector, zero-padding the last sector.
    void writeEntryData(std::uint32_t sector, const ByteStream& source);
    // Copies every entry, in list order, into `to` from sector `first`; sets their new offsets.
    std::vector<TIMGEntry> packInto(ByteStream& to, std::uint32_t first, const Progress& progress) const;
    // Entries without the marked ones, each Index set to its list position.
    [[nodiscard]] std::vector<TIMGEntry> keptEntries() const;

    std::vector<TIMGEntry> Entries;

private:
    std::string mFileName;
    std::unique_ptr<Storage> mData;
};

} // namespace zelkit
