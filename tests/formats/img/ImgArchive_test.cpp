// Behaviour both archive versions share, run against each.
#include <gtest/gtest.h>

#include "ImgFixtures.h"
#include "core/Error.h"

namespace zelkit {
namespace {

using test::extracted;
using test::makeEmptyArchive;
using test::padded;
using test::patternBytes;

class BothVersions : public ::testing::TestWithParam<int> {
protected:
    std::unique_ptr<test::MemArchive> m = makeEmptyArchive(GetParam());
    ImgArchive& archive() { return *m->archive; }
    void add(const char* name, std::size_t length, std::uint8_t seed = 1)
    {
        archive().AddFile(name, MemoryStream(patternBytes(length, seed)));
    }
};

struct AddCase {
    std::size_t length;
    std::uint32_t sectors;
};

TEST_P(BothVersions, AddTakesWholeSectorsPaddedWithZeros)
{
    const AddCase cases[] = {{0, 0}, {1, 1}, {2048, 1}, {2049, 2}, {5000, 3}};
    for (const AddCase& c : cases) {
        const std::uint64_t endBefore = m->dataStream().size();
        add("entry.dat", c.length);
        const TIMGEntry e = archive().GetEntry(archive().Count() - 1);
        EXPECT_EQ(e.Size, c.sectors) << c.length;
        EXPECT_EQ(e.byteOffset(), endBefore) << c.length;
        EXPECT_EQ(e.Index, archive().Count() - 1);
        EXPECT_EQ(m->dataStream().size() % 2048, 0u);
        EXPECT_EQ(extracted(archive(), archive().Count() - 1), padded(patternBytes(c.length)));
    }
    EXPECT_TRUE(extracted(archive(), 0).empty()); // a zero-size entry extracts nothing
}

TEST_P(BothVersions, NamesKeepTheirFirst24Bytes)
{
    add("abcdefghijklmnopqrstuvwxyz1234", 10);
    EXPECT_EQ(archive().GetEntry(0).name(), "abcdefghijklmnopqrstuvwx");
    archive().RenameFile(0, "Short.TXD");
    EXPECT_EQ(archive().GetEntry(0).name(), "Short.TXD");
}

TEST_P(BothVersions, ChangesReachTheFilesAtOnce)
{
    add("one.dff", 100);
    add("two.txd", 3000, 2);
    archive().RenameFile(1, "renamed.txd");
    archive().DuplicateFile(1);
    // A fresh object over the same bytes sees every change.
    auto copy = test::makeArchive(GetParam(), m->dataStream().readAll(),
                                  GetParam() == 1 ? dynamic_cast<TIMGArchive&>(archive()).directoryStream().readAll()
                                                  : std::vector<std::uint8_t>{});
    ASSERT_EQ(copy->archive->Count(), 3);
    EXPECT_EQ(copy->archive->GetEntry(1).name(), "renamed.txd");
    EXPECT_EQ(copy->archive->GetEntry(2).name(), "renamed.txd");
    EXPECT_EQ(copy->archive->GetEntry(2).Size, 2u);
    EXPECT_EQ(extracted(*copy->archive, 2), padded(patternBytes(3000, 2)));
}

struct ReplaceCase {
    std::size_t length;
    bool staysInPlace;
    std::uint32_t sectors;
};

TEST_P(BothVersions, ReplaceFitsInPlaceOrMovesToTheEnd)
{
    const ReplaceCase cases[] = {
        {4096, true, 2}, {5000, true, 3}, {6144, true, 3}, {6145, false, 4}, {0, true, 0},
    };
    for (const ReplaceCase& c : cases) {
        m = makeEmptyArchive(GetParam());
        add("first", 6144, 3);  // 3 sectors
        add("second", 2048, 4); // follows it
        const TIMGEntry before = archive().GetEntry(0);
        const std::uint64_t end = m->dataStream().size();
        EXPECT_TRUE(archive().ReplaceFile(0, MemoryStream(patternBytes(c.length, 9))));
        const TIMGEntry after = archive().GetEntry(0);
        EXPECT_EQ(after.Size, c.sectors) << c.length;
        EXPECT_EQ(after.byteOffset(), c.staysInPlace ? before.byteOffset() : end) << c.length;
        EXPECT_EQ(extracted(archive(), 0), padded(patternBytes(c.length, 9))) << c.length;
        EXPECT_EQ(extracted(archive(), 1), patternBytes(2048, 4)) << "neighbour intact";
    }
}

TEST_P(BothVersions, FindByNameMatchesPartsOfTrimmedNames)
{
    add("", 1);
    add("Vehicle.txd", 1);
    add("vehicle.dff", 1);
    EXPECT_EQ(archive().FindByName("veh", true), 1);
    EXPECT_EQ(archive().FindByName("  veh\t", false), 2);
    EXPECT_EQ(archive().FindByName("VEH", false), -1);
    EXPECT_EQ(archive().FindByName("", false), 1); // the first non-empty name
    EXPECT_EQ(archive().FindByName("boat", true), -1);
}

TEST_P(BothVersions, MarkedEntriesGoOnSaveAndTheRestAreRenumbered)
{
    for (int k = 0; k < 5; ++k)
        add(("e" + std::to_string(k)).c_str(), 100, static_cast<std::uint8_t>(k));
    archive().MarkDeleted(1);
    archive().MarkDeleted(3);
    EXPECT_EQ(archive().Count(), 5); // still listed until saved
    archive().SaveDirectory();
    ASSERT_EQ(archive().Count(), 3);
    const char* names[] = {"e0", "e2", "e4"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(archive().GetEntry(k).name(), names[k]);
        EXPECT_EQ(archive().GetEntry(k).Index, k);
    }
    EXPECT_EQ(extracted(archive(), 2), padded(patternBytes(100, 4)));
}

TEST_P(BothVersions, FailedAddLeavesFilesAndListAsTheyWere)
{
    add("kept", 3000);
    const auto dataBefore = m->dataStream().readAll();
    for (const std::uint64_t budget : {0ull, 1000ull, 4095ull}) {
        m->data->failWritesAfter(budget);
        EXPECT_THROW(add("lost", 10000, 7), Error) << budget;
        m->data->failWritesAfter(UINT64_MAX);
        EXPECT_EQ(archive().Count(), 1);
        EXPECT_EQ(m->dataStream().readAll(), dataBefore) << budget;
    }
    if (m->dir) {
        const auto dirBefore = m->dir->bytes();
        m->dir->failWritesAfter(10); // the record fails after the data went in
        EXPECT_THROW(add("lost", 10000, 7), Error);
        EXPECT_EQ(m->dir->bytes(), dirBefore);
        EXPECT_EQ(m->dataStream().readAll(), dataBefore);
        EXPECT_EQ(archive().Count(), 1);
    }
}

TEST_P(BothVersions, FailedReplaceOfLargerDataLeavesTheEntry)
{
    add("kept", 3000, 2);
    const auto dataBefore = m->dataStream().readAll();
    m->data->failWritesAfter(5000);
    EXPECT_THROW(archive().ReplaceFile(0, MemoryStream(patternBytes(9000))), Error);
    EXPECT_EQ(m->dataStream().readAll(), dataBefore);
    EXPECT_EQ(archive().GetEntry(0).Size, 2u);
}

TEST_P(BothVersions, RebuildKeepsEveryEntryWhateverTheOrder)
{
    // Entries added, then scrambled by replacing and deleting so the directory is unsorted with gaps.
    add("a", 5000, 1);
    add("b", 2048, 2);
    add("c", 100, 3);
    add("d", 0, 4);
    archive().ReplaceFile(0, MemoryStream(patternBytes(9000, 5))); // a moves to the end
    archive().MarkDeleted(2);
    archive().SaveDirectory();
    const std::vector<std::vector<std::uint8_t>> before = {extracted(archive(), 0), extracted(archive(), 1),
                                                           extracted(archive(), 2)};
    std::size_t lastDone = 0;
    archive().Rebuild([&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 3u);
        lastDone = done;
    });
    EXPECT_EQ(lastDone, 3u);
    const std::uint32_t first = GetParam() == 1 ? 0 : 1;
    std::uint32_t next = first;
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(archive().GetEntry(k).Offset, next);
        next += archive().GetEntry(k).Size;
        EXPECT_EQ(extracted(archive(), k), before[static_cast<std::size_t>(k)]);
    }
    EXPECT_EQ(m->dataStream().size(), std::uint64_t{next} * 2048);
}

TEST_P(BothVersions, FailedRebuildLeavesTheArchiveAsItWas)
{
    add("a", 5000, 1);
    add("b", 7000, 2);
    const auto dataBefore = m->dataStream().readAll();
    const auto entriesBefore = archive().entries();
    m->replacementWriteBudget = 4000; // the disk fills while packing
    EXPECT_THROW(archive().Rebuild(), Error);
    EXPECT_EQ(m->dataStream().readAll(), dataBefore);
    EXPECT_EQ(archive().Count(), 2);
    EXPECT_EQ(archive().GetEntry(1).Offset, entriesBefore[1].Offset);

    m->replacementWriteBudget = UINT64_MAX;
    m->data->failReadsAfter(3000); // the old data cannot be read
    try {
        archive().Rebuild();
        FAIL() << "rebuild went on past a read error";
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    m->data->failReadsAfter(UINT64_MAX);
    EXPECT_EQ(m->dataStream().readAll(), dataBefore);
}

TEST_P(BothVersions, PositionsOutOfRangeAreRefused)
{
    add("a", 1);
    EXPECT_THROW((void)archive().GetEntry(1), Error);
    EXPECT_THROW(archive().RenameFile(-1, "x"), Error);
    MemoryStream out;
    EXPECT_THROW(archive().ExtractFile(5, out), Error);
}

TEST_P(BothVersions, ExtractingPastTheEndOfTheDataIsAReadError)
{
    add("a", 4096);
    m->data->setSize(m->data->size() - 100); // the data file was cut short
    MemoryStream out;
    EXPECT_THROW(archive().ExtractFile(0, out), ReadError);
}

INSTANTIATE_TEST_SUITE_P(Img, BothVersions, ::testing::Values(1, 2),
                         [](const auto& param) { return "Version" + std::to_string(param.param); });

} // namespace
} // namespace zelkit
