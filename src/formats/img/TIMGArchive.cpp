#include "formats/img/TIMGArchive.h"

#include <limits>

#include "core/Error.h"
#include "core/Text.h"

namespace zelkit {

namespace {
FileStream::Mode modeFor(bool createNew)
{
    return createNew ? FileStream::Mode::Create : FileStream::Mode::ReadWrite;
}
} // namespace

TIMGArchive::TIMGArchive(const std::string& path, bool createNew, const std::string& dirPath)
    : ImgArchive(path, std::make_unique<FileStorage>(path, modeFor(createNew)))
{
    mDir = std::make_unique<FileStorage>(dirPath.empty() ? withExtension(path, ".dir") : dirPath, modeFor(createNew));
    readDirectory();
}

TIMGArchive::TIMGArchive(std::string fileName, std::unique_ptr<Storage> img, std::unique_ptr<Storage> dir)
    : ImgArchive(std::move(fileName), std::move(img)), mDir(std::move(dir))
{
    readDirectory();
}

void TIMGArchive::readDirectory()
{
    const ByteStream& dir = mDir->stream();
    const std::uint64_t length = dir.size();
    const std::uint64_t count = length / kImgRecordSize; // an incomplete last record is ignored
    if (count > std::numeric_limits<std::int32_t>::max())
        throw FormatError(dir.name(), 0, "directory of " + std::to_string(length) + " bytes is too large");
    const auto bytes = dir.read(0, static_cast<std::size_t>(count * kImgRecordSize));
    Entries.reserve(static_cast<std::size_t>(count));
    for (std::size_t k = 0; k < count; ++k)
        Entries.push_back(TIMGEntry::fromRecord(std::span(bytes).subspan(k * kImgRecordSize, kImgRecordSize),
                                                static_cast<std::int32_t>(k)));
}

std::int32_t TIMGArchive::nextRecordSlot() const
{
    return static_cast<std::int32_t>(mDir->stream().size() / kImgRecordSize);
}

void TIMGArchive::writeRecord(const TIMGEntry& entry)
{
    const auto record = entry.record();
    mDir->stream().writeAt(std::uint64_t(entry.Index) * kImgRecordSize, record);
}

void TIMGArchive::appendRecord(const TIMGEntry& entry)
{
    ByteStream& dir = mDir->stream();
    const std::uint64_t oldLength = dir.size();
    try {
        writeRecord(entry);
    } catch (...) {
        try {
            dir.setSize(oldLength);
        } catch (...) {
        }
        throw;
    }
}

std::vector<std::uint8_t> TIMGArchive::directoryBytes(const std::vector<TIMGEntry>& entries)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(entries.size() * kImgRecordSize);
    for (const TIMGEntry& entry : entries) {
        const auto record = entry.record();
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

void TIMGArchive::SaveDirectory()
{
    std::vector<TIMGEntry> kept = keptEntries();
    // The directory is a file of its own, so it is replaced whole: a failure keeps the old one.
    auto replacement = mDir->beginReplacement();
    replacement->stream().writeAt(0, directoryBytes(kept));
    replacement->commit();
    Entries = std::move(kept);
}

void TIMGArchive::Rebuild(const Progress& progress)
{
    auto newImg = dataStorage().beginReplacement();
    std::vector<TIMGEntry> packed = packInto(newImg->stream(), 0, progress);
    auto newDir = mDir->beginReplacement();
    newDir->stream().writeAt(0, directoryBytes(packed));
    // Both files are complete before either replaces its original.
    newDir->stream().flush();
    newImg->commit();
    newDir->commit();
    Entries = std::move(packed);
}

} // namespace zelkit
