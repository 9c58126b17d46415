#include "formats/img/ImgArchive.h"

#include <algorithm>

#include "core/Error.h"
#include "core/MemoryStream.h"
#include "core/Text.h"

namespace zelkit {

ImgArchive::ImgArchive(std::string fileName, std::unique_ptr<Storage> data)
    : mFileName(std::move(fileName)), mData(std::move(data))
{
}

std::size_t ImgArchive::checked(int i) const
{
    if (i < 0 || i >= Count())
        throw Error("No entry " + std::to_string(i) + " in \"" + mFileName + "\" (" + std::to_string(Count()) +
                    " entries)");
    return static_cast<std::size_t>(i);
}

void ImgArchive::ExtractFile(int i, ByteStream& dest) const
{
    const TIMGEntry& entry = Entries.at(checked(i));
    if (entry.Size != 0)
        copyBytes(data(), entry.byteOffset(), dest, dest.size(), entry.byteSize());
}

std::uint32_t ImgArchive::appendSector() const
{
    // Rounded up, so the partial last sector of a file not written by us is never overwritten.
    return sectorAtOrAfter(data().size());
}

void ImgArchive::writeEntryData(std::uint32_t sector, const ByteStream& source)
{
    const std::uint64_t length = source.size();
    const std::uint64_t start = std::uint64_t{sector} * kSectorSize;
    copyBytes(source, 0, data(), start, length);
    const std::uint64_t padded = std::uint64_t{sectorsFor(length)} * kSectorSize;
    writeZeros(data(), start + length, padded - length);
}

void ImgArchive::AddFile(std::string_view name, const ByteStream& source)
{
    TIMGEntry entry;
    entry.Size = sectorsFor(source.size());
    entry.Index = nextRecordSlot();
    entry.setName(name);
    prepareRecordSlot(static_cast<std::size_t>(entry.Index));
    const std::uint64_t oldLength = data().size();
    entry.Offset = appendSector();
    try {
        writeEntryData(entry.Offset, source);
        appendRecord(entry);
    } catch (...) {
        try {
            data().setSize(oldLength);
        } catch (...) {
            // The original failure is the one to report.
        }
        throw;
    }
    Entries.push_back(entry);
}

bool ImgArchive::ReplaceFile(int i, const ByteStream& source)
{
    TIMGEntry entry = Entries.at(checked(i));
    const std::uint32_t sectors = sectorsFor(source.size());
    const std::uint64_t oldLength = data().size();
    const bool fits = sectors <= entry.Size;
    if (!fits)
        entry.Offset = appendSector();
    entry.Size = sectors;
    try {
        writeEntryData(entry.Offset, source);
        writeRecord(entry);
    } catch (...) {
        if (!fits) {
            try {
                data().setSize(oldLength);
            } catch (...) {
            }
        }
        throw;
    }
    Entries[static_cast<std::size_t>(i)] = entry;
    return true;
}

void ImgArchive::RenameFile(int i, std::string_view name)
{
    TIMGEntry entry = Entries.at(checked(i));
    entry.setName(name);
    writeRecord(entry);
    Entries[static_cast<std::size_t>(i)] = entry;
}

void ImgArchive::DuplicateFile(int i)
{
    MemoryStream copy;
    ExtractFile(i, copy);
    AddFile(Entries[static_cast<std::size_t>(i)].name(), copy);
}

int ImgArchive::FindByName(std::string_view text, bool ignoreCase) const
{
    std::string wanted = trimmed(text);
    if (ignoreCase)
        wanted = lowerCased(wanted);
    for (const TIMGEntry& entry : Entries) {
        std::string name = trimmed(entry.name());
        if (ignoreCase)
            name = lowerCased(name);
        if (wanted.empty() ? !name.empty() : name.find(wanted) != std::string::npos)
            return entry.Index;
    }
    return -1;
}

std::vector<TIMGEntry> ImgArchive::packInto(ByteStream& to, std::uint32_t first, const Progress& progress) const
{
    // The packed file is written in large sequential runs, and entries that lie back to back in
    // the old file are read together: a rebuild costs about what copying the bytes costs.
    constexpr std::size_t kRun = 1 << 20;
    const std::unique_ptr<std::uint8_t[]> run(new std::uint8_t[kRun]);
    std::size_t used = 0;         // bytes of run filled or about to be
    std::uint64_t pendingFrom = 0; // a read not yet made, landing at run[used - pendingLength]
    std::size_t pendingLength = 0;
    std::uint64_t runStart = std::uint64_t{first} * kSectorSize;
    const auto readPending = [&] {
        if (pendingLength != 0)
            data().readAt(pendingFrom, std::span(run.get() + used - pendingLength, pendingLength));
        pendingLength = 0;
    };
    const auto writeRun = [&] {
        readPending();
        to.writeAt(runStart, std::span<const std::uint8_t>(run.get(), used));
        runStart += used;
        used = 0;
    };

    std::vector<TIMGEntry> packed = Entries;
    std::uint64_t next = first;
    for (std::size_t k = 0; k < packed.size(); ++k) {
        TIMGEntry& entry = packed[k];
        if (next + entry.Size > UINT32_MAX)
            throw Error("\"" + mFileName + "\" holds more sectors than an archive can address");
        const std::uint64_t length = entry.byteSize();
        if (length >= kRun) {
            writeRun();
            copyBytes(data(), entry.byteOffset(), to, runStart, length);
            runStart += length;
        } else {
            if (used + length > kRun)
                writeRun();
            if (pendingLength == 0 || pendingFrom + pendingLength != entry.byteOffset()) {
                readPending();
                pendingFrom = entry.byteOffset();
            }
            pendingLength += static_cast<std::size_t>(length);
            used += static_cast<std::size_t>(length);
        }
        entry.Offset = static_cast<std::uint32_t>(next);
        entry.Index = static_cast<std::int32_t>(k);
        next += entry.Size;
        report(progress, k + 1, packed.size());
    }
    writeRun();
    // An archive ending in empty entries still ends on a whole sector.
    if (to.size() < next * kSectorSize)
        to.setSize(next * kSectorSize);
    return packed;
}

std::vector<TIMGEntry> ImgArchive::keptEntries() const
{
    std::vector<TIMGEntry> kept;
    kept.reserve(Entries.size());
    for (const TIMGEntry& entry : Entries) {
        if (!entry.Deleted) {
            kept.push_back(entry);
            kept.back().Index = static_cast<std::int32_t>(kept.size() - 1);
        }
    }
    return kept;
}

} // namespace zelkit
