#include "formats/img/TIMGV2Archive.h"

#include <algorithm>

#include "core/BinaryWriter.h"
#include "core/Error.h"
#include "core/Text.h"

namespace zelkit {

TIMGV2Archive::TIMGV2Archive(const std::string& path, bool createNew)
    : ImgArchive(path, std::make_unique<FileStorage>(path, createNew ? FileStream::Mode::Create
                                                                      : FileStream::Mode::ReadWrite))
{
    open(createNew);
}

TIMGV2Archive::TIMGV2Archive(std::string fileName, std::unique_ptr<Storage> storage, bool createNew)
    : ImgArchive(std::move(fileName), std::move(storage))
{
    open(createNew);
}

void TIMGV2Archive::open(bool createNew)
{
    ByteStream& file = data();
    if (createNew) {
        BinaryWriter header;
        header.text("VER2");
        header.u32(0);
        header.zeros(kSectorSize - kHeaderSize);
        file.setSize(0);
        file.writeAt(0, header.bytes());
    }
    const std::uint64_t length = file.size();
    if (length < kHeaderSize)
        throw FormatError(file.name(), 0, "file of " + std::to_string(length) +
                                              " bytes is too short for an archive header");
    const auto head = file.read(0, kHeaderSize);
    Header = fieldText(std::span(head).first(4));
    std::uint32_t count = 0;
    std::copy_n(head.begin() + 4, 4, reinterpret_cast<std::uint8_t*>(&count));
    const std::uint64_t records = (length - kHeaderSize) / kImgRecordSize;
    if (count > records)
        throw FormatError(file.name(), 4, "the header counts " + std::to_string(count) +
                                              " entries, but a file of " + std::to_string(length) +
                                              " bytes holds at most " + std::to_string(records));
    EntryCount = count;
    const auto bytes = file.read(kHeaderSize, std::size_t{count} * kImgRecordSize);
    Entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        Entries.push_back(TIMGEntry::fromRecord(std::span(bytes).subspan(k * kImgRecordSize, kImgRecordSize),
                                                static_cast<std::int32_t>(k)));
}

std::uint32_t TIMGV2Archive::appendSector() const
{
    // Never inside the directory, also once it has grown by the record about to be added.
    return std::max(ImgArchive::appendSector(), sectorAtOrAfter(recordPos(EntryCount + std::size_t{1})));
}

void TIMGV2Archive::writeRecord(const TIMGEntry& entry)
{
    data().writeAt(recordPos(static_cast<std::size_t>(entry.Index)), entry.record());
}

void TIMGV2Archive::writeCount(ByteStream& to, std::uint32_t count)
{
    BinaryWriter bytes;
    bytes.u32(count);
    to.writeAt(4, bytes.bytes());
}

void TIMGV2Archive::moveToEnd(std::size_t k)
{
    TIMGEntry moved = Entries[k];
    const std::uint32_t target = ImgArchive::appendSector();
    copyBytes(data(), moved.byteOffset(), data(), std::uint64_t{target} * kSectorSize, moved.byteSize());
    moved.Offset = target;
    writeRecord(moved);
    Entries[k] = moved;
}

void TIMGV2Archive::prepareRecordSlot(std::size_t slot)
{
    // The directory grows into the sectors after it: entries stored there move to the end first,
    // each written completely before its record points at the copy.
    const std::uint64_t directoryEnd = recordPos(slot + 1);
    for (std::size_t k = 0; k < Entries.size(); ++k) {
        if (Entries[k].Size != 0 && Entries[k].byteOffset() < directoryEnd)
            moveToEnd(k);
    }
}

void TIMGV2Archive::appendRecord(const TIMGEntry& entry)
{
    ByteStream& file = data();
    const std::uint64_t pos = recordPos(static_cast<std::size_t>(entry.Index));
    // The slot may hold a former record; it is put back if the count cannot be written.
    std::vector<std::uint8_t> previous;
    if (pos < file.size())
        previous = file.read(pos, static_cast<std::size_t>(std::min<std::uint64_t>(kImgRecordSize, file.size() - pos)));
    try {
        writeRecord(entry);
        writeCount(file, EntryCount + 1);
    } catch (...) {
        try {
            file.writeAt(pos, previous);
            writeCount(file, EntryCount);
        } catch (...) {
        }
        throw;
    }
    EntryCount += 1;
}

void TIMGV2Archive::SaveDirectory()
{
    std::vector<TIMGEntry> kept = keptEntries();
    ByteStream& file = data();
    BinaryWriter records;
    for (const TIMGEntry& entry : kept)
        records.bytes(entry.record());
    file.writeAt(kHeaderSize, records.bytes());
    writeCount(file, static_cast<std::uint32_t>(kept.size()));
    EntryCount = static_cast<std::uint32_t>(kept.size());

    // Zeros from one record past the last up to the lowest data, which is never touched.
    std::uint64_t lowestData = UINT64_MAX;
    for (const TIMGEntry& entry : kept) {
        if (entry.Size != 0)
            lowestData = std::min(lowestData, entry.byteOffset());
    }
    const std::uint64_t fillFrom = recordPos(kept.size() + 1);
    Entries = std::move(kept);
    if (lowestData != UINT64_MAX && lowestData > fillFrom)
        writeZeros(file, fillFrom, lowestData - fillFrom);
}

void TIMGV2Archive::Rebuild(const Progress& progress)
{
    auto replacement = dataStorage().beginReplacement();
    ByteStream& to = replacement->stream();
    const std::uint32_t first = std::max<std::uint32_t>(1, sectorAtOrAfter(recordPos(Entries.size())));
    std::vector<TIMGEntry> packed = packInto(to, first, progress);

    BinaryWriter head;
    head.bytes(data().read(0, 4)); // the file's own signature, as it was
    head.u32(static_cast<std::uint32_t>(packed.size()));
    for (const TIMGEntry& entry : packed)
        head.bytes(entry.record());
    head.zeros(std::uint64_t{first} * kSectorSize - head.size());
    to.writeAt(0, head.bytes());
    replacement->commit();
    Entries = std::move(packed);
    EntryCount = static_cast<std::uint32_t>(Entries.size());
}

} // namespace zelkit
