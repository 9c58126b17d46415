#pragma once
// Archives of both versions built in memory, with hooks to make their streams fail.
#include <memory>

#include "core/BinaryWriter.h"
#include "core/MemoryStream.h"
#include "core/Storage.h"
#include "formats/img/TIMGArchive.h"
#include "formats/img/TIMGV2Archive.h"
#include "support/FailingStream.h"
#include "support/TempDir.h"

namespace zelkit::test {

struct RecordSpec {
    std::uint32_t offset;
    std::uint32_t size;
    const char* name;
};

inline std::vector<std::uint8_t> directoryBytes(std::initializer_list<RecordSpec> records)
{
    BinaryWriter w;
    for (const RecordSpec& r : records) {
        w.u32(r.offset);
        w.u32(r.size);
        w.fixedString(r.name, 24);
    }
    return w.take();
}

// An archive of either version whose streams are FailingStreams the test can arm.
struct MemArchive {
    std::unique_ptr<ImgArchive> archive;
    FailingStream* data = nullptr; // the .img (or the whole version 2 file)
    FailingStream* dir = nullptr;  // version 1 only
    // Streams handed out for rewrites (rebuild, directory save); armed by the test beforehand.
    std::uint64_t replacementWriteBudget = UINT64_MAX;

    StreamStorage::Factory replacementFactory()
    {
        return [this]() -> std::unique_ptr<ByteStream> {
            auto s = std::make_unique<FailingStream>(std::vector<std::uint8_t>{}, "replacement");
            s->failWritesAfter(replacementWriteBudget);
            return s;
        };
    }
    [[nodiscard]] const ByteStream& dataStream() const { return archive->dataStream(); }
};

// version 1: img bytes and dir bytes; version 2: img bytes is the whole file (dir ignored).
inline std::unique_ptr<MemArchive> makeArchive(int version, std::vector<std::uint8_t> img,
                                               std::vector<std::uint8_t> dir = {})
{
    auto m = std::make_unique<MemArchive>();
    auto data = std::make_unique<FailingStream>(std::move(img), "test.img");
    m->data = data.get();
    if (version == 1) {
        auto dirStream = std::make_unique<FailingStream>(std::move(dir), "test.dir");
        m->dir = dirStream.get();
        m->archive = std::make_unique<TIMGArchive>(
            "test.img", std::make_unique<StreamStorage>(std::move(data), m->replacementFactory()),
            std::make_unique<StreamStorage>(std::move(dirStream), m->replacementFactory()));
    } else {
        m->archive = std::make_unique<TIMGV2Archive>(
            "test.img", std::make_unique<StreamStorage>(std::move(data), m->replacementFactory()));
    }
    return m;
}

inline std::unique_ptr<MemArchive> makeEmptyArchive(int version)
{
    if (version == 1)
        return makeArchive(1, {}, {});
    BinaryWriter w;
    w.text("VER2");
    w.u32(0);
    w.zeros(2040);
    return makeArchive(2, w.take());
}

inline std::vector<std::uint8_t> extracted(const ImgArchive& archive, int i)
{
    MemoryStream out;
    archive.ExtractFile(i, out);
    return out.bytes();
}

// bytes padded with zeros to whole sectors.
inline std::vector<std::uint8_t> padded(std::vector<std::uint8_t> bytes)
{
    bytes.resize((bytes.size() + 2047) / 2048 * 2048, 0);
    return bytes;
}

} // namespace zelkit::test
