// Version 2 specifics: one file, directory and data sharing it.
#include <gtest/gtest.h>

#include <cstring>

#include "ImgFixtures.h"
#include "core/Error.h"
#include "core/FileStream.h"
#include "formats/img/OpenImgArchive.h"
#include "support/TempDir.h"

namespace zelkit {
namespace {

using test::extracted;
using test::makeEmptyArchive;
using test::padded;
using test::patternBytes;

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t v;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

// A version 2 file with the given records and data sectors.
std::vector<std::uint8_t> v2File(std::initializer_list<test::RecordSpec> records, std::size_t sectors,
                                 const char* signature = "VER2")
{
    BinaryWriter w;
    w.text(std::string(signature, 4));
    w.u32(static_cast<std::uint32_t>(records.size()));
    w.bytes(test::directoryBytes(records));
    auto bytes = w.take();
    auto data = patternBytes(sectors * 2048, 5);
    std::copy(bytes.begin(), bytes.end(), data.begin());
    return data;
}

TEST(TIMGV2Archive, NewArchiveIsOneSectorWithTheHeader)
{
    test::TempDir dir;
    auto archive = createImgArchive(dir.file("new.img"), 2);
    std::vector<std::uint8_t> expected(2048, 0);
    std::memcpy(expected.data(), "VER2", 4);
    EXPECT_EQ(test::readFile(dir.file("new.img")), expected);
    EXPECT_FALSE(test::fileExists(dir.file("new.dir")));
    EXPECT_EQ(archive->versionText(), "VER2");
}

TEST(TIMGV2Archive, FirstAddGoesToSectorOneAndCountsIt)
{
    auto m = makeEmptyArchive(2);
    m->archive->AddFile("a.dff", MemoryStream(patternBytes(3000)));
    const TIMGEntry e = m->archive->GetEntry(0);
    EXPECT_EQ(e.Offset, 1u);
    EXPECT_EQ(e.Index, 0);
    EXPECT_EQ(m->data->size(), 2048u + 2 * 2048);
    EXPECT_EQ(u32At(m->data->bytes(), 4), 1u);
    m->archive->RenameFile(0, "b.dff");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m->data->bytes().data()) + 16), "b.dff");
}

TEST(TIMGV2Archive, SaveKeepsTheRecordAfterTheLastAndZerosUpToTheData)
{
    auto m = makeEmptyArchive(2);
    for (const char* name : {"a", "b", "c"})
        m->archive->AddFile(name, MemoryStream(patternBytes(100)));
    const auto thirdRecord = std::vector<std::uint8_t>(m->data->bytes().begin() + 72, m->data->bytes().begin() + 104);
    m->data->writeAt(200, patternBytes(50)); // junk in the directory's free space
    m->archive->MarkDeleted(2);
    m->archive->SaveDirectory();
    const auto& bytes = m->data->bytes();
    EXPECT_EQ(u32At(bytes, 4), 2u);
    EXPECT_TRUE(std::equal(thirdRecord.begin(), thirdRecord.end(), bytes.begin() + 72));
    EXPECT_TRUE(std::all_of(bytes.begin() + 104, bytes.begin() + 2048, [](auto b) { return b == 0; }));
    EXPECT_EQ(extracted(*m->archive, 0), padded(patternBytes(100)));
}

TEST(TIMGV2Archive, ZeroFillStopsBeforeTheLowestDataOfAnyEntry)
{
    // The first listed entry lies at sector 3, the second at sector 1 inside the would-be fill.
    auto m = test::makeArchive(2, v2File({{3, 1, "late"}, {1, 1, "early"}, {2, 1, "gone"}}, 4));
    const auto early = extracted(*m->archive, 1);
    m->archive->MarkDeleted(2);
    m->archive->SaveDirectory();
    EXPECT_EQ(extracted(*m->archive, 1), early);
}

TEST(TIMGV2Archive, RebuildPacksFromSectorOne)
{
    auto m = test::makeArchive(2, v2File({{6, 1, "a"}, {2, 2, "b"}, {9, 1, "c"}}, 10));
    const auto a = extracted(*m->archive, 0), b = extracted(*m->archive, 1), c = extracted(*m->archive, 2);
    m->archive->Rebuild();
    const std::uint32_t offsets[] = {1, 2, 4};
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(m->archive->GetEntry(k).Offset, offsets[k]);
    EXPECT_EQ(m->archive->dataStream().size(), 5u * 2048);
    EXPECT_EQ(extracted(*m->archive, 0), a);
    EXPECT_EQ(extracted(*m->archive, 1), b);
    EXPECT_EQ(extracted(*m->archive, 2), c);
    auto reread = test::makeArchive(2, m->archive->dataStream().readAll());
    EXPECT_EQ(reread->archive->GetEntry(2).Offset, 4u);
}

TEST(TIMGV2Archive, RebuildOfManyEntriesStartsAfterTheDirectory)
{
    auto m = makeEmptyArchive(2);
    for (int k = 0; k < 100; ++k)
        m->archive->AddFile("e" + std::to_string(k), MemoryStream(patternBytes(10, static_cast<std::uint8_t>(k))));
    m->archive->Rebuild();
    // 8 + 100 * 32 = 3208 bytes of directory: the data starts at sector 2.
    EXPECT_EQ(m->archive->GetEntry(0).Offset, 2u);
    auto reread = test::makeArchive(2, m->archive->dataStream().readAll());
    ASSERT_EQ(reread->archive->Count(), 100);
    for (int k = 0; k < 100; ++k)
        EXPECT_EQ(extracted(*reread->archive, k), padded(patternBytes(10, static_cast<std::uint8_t>(k)))) << k;
}

TEST(TIMGV2Archive, GrowingDirectoryMovesTheEntriesInItsWay)
{
    auto m = makeEmptyArchive(2);
    for (int k = 0; k < 130; ++k)
        m->archive->AddFile("e" + std::to_string(k), MemoryStream(patternBytes(k % 3 == 0 ? 3000 : 700,
                                                                               static_cast<std::uint8_t>(k))));
    auto reread = test::makeArchive(2, m->data->bytes());
    ASSERT_EQ(reread->archive->Count(), 130);
    const std::uint64_t directoryEnd = 8 + 130 * 32;
    for (int k = 0; k < 130; ++k) {
        const TIMGEntry e = reread->archive->GetEntry(k);
        EXPECT_GE(e.byteOffset(), directoryEnd) << k;
        EXPECT_EQ(extracted(*reread->archive, k),
                  padded(patternBytes(k % 3 == 0 ? 3000 : 700, static_cast<std::uint8_t>(k)))) << k;
    }
}

TEST(TIMGV2Archive, OtherSignaturesOpenAndShowTheirBytes)
{
    auto m = test::makeArchive(2, v2File({{1, 1, "a"}}, 2, "ABCD"));
    EXPECT_EQ(m->archive->versionText(), "ABCD");
    EXPECT_EQ(m->archive->Count(), 1);
}

TEST(TIMGV2Archive, ImpossibleHeadersAreRefusedWithTheFileCountAndSize)
{
    auto bytes = v2File({}, 1);
    bytes[4] = 0xFF;
    bytes[5] = 0xFF; // 65535 records in 2048 bytes
    try {
        test::makeArchive(2, bytes);
        FAIL() << "accepted an impossible count";
    } catch (const FormatError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("test.img"), std::string::npos) << message;
        EXPECT_NE(message.find("65535"), std::string::npos) << message;
        EXPECT_NE(message.find("2048"), std::string::npos) << message;
    }
    EXPECT_THROW(test::makeArchive(2, {'V', 'E', 'R'}), FormatError);
}

TEST(TIMGV2Archive, FailedAddRestoresTheRecordSlotAndTheCount)
{
    auto m = makeEmptyArchive(2);
    m->archive->AddFile("a", MemoryStream(patternBytes(100)));
    m->archive->AddFile("b", MemoryStream(patternBytes(100)));
    m->archive->MarkDeleted(1);
    m->archive->SaveDirectory(); // slot 1 still holds b's former record
    const auto before = m->data->bytes();
    m->data->failWritesAfter(2048 + 16, true); // the data goes in, the record only half
    EXPECT_THROW(m->archive->AddFile("c", MemoryStream(patternBytes(2048))), Error);
    m->data->failWritesAfter(UINT64_MAX);
    EXPECT_EQ(m->data->bytes(), before);
    EXPECT_EQ(m->archive->Count(), 1);
}

TEST(TIMGV2Archive, PositionsBeyondFourGibibytesKeepTheirData)
{
    test::TempDir dir;
    const std::string path = dir.file("big.img");
    {
        auto archive = createImgArchive(path, 2);
    }
    {
        FileStream file(path, FileStream::Mode::ReadWrite);
        file.setSize(5ull << 30); // sparse: costs no disk space
    }
    auto archive = openImgArchive(path);
    archive->AddFile("far.dat", MemoryStream(patternBytes(3000, 4)));
    const TIMGEntry e = archive->GetEntry(0);
    EXPECT_EQ(e.Offset, (5ull << 30) / 2048);
    EXPECT_EQ(e.byteOffset(), 5ull << 30);
    EXPECT_EQ(extracted(*archive, 0), padded(patternBytes(3000, 4)));
    archive->ReplaceFile(0, MemoryStream(patternBytes(9000, 6)));
    EXPECT_EQ(extracted(*archive, 0), padded(patternBytes(9000, 6)));
}

} // namespace
} // namespace zelkit
