// Version 1 specifics: the separate ".dir" of bare 32-byte records.
#include <gtest/gtest.h>

#include "ImgFixtures.h"
#include "core/Error.h"
#include "formats/img/OpenImgArchive.h"
#include "support/TempDir.h"

namespace zelkit {
namespace {

using test::directoryBytes;
using test::extracted;
using test::makeArchive;
using test::patternBytes;

TEST(TIMGArchive, DirectoryLengthGivesTheEntryCount)
{
    EXPECT_EQ(makeArchive(1, {}, {})->archive->Count(), 0);
    auto dir = directoryBytes({{0, 1, "a.dff"}, {1, 2, "b.txd"}});
    dir.resize(70, 0xEE); // an incomplete third record is ignored
    auto m = makeArchive(1, patternBytes(3 * 2048), dir);
    ASSERT_EQ(m->archive->Count(), 2);
    EXPECT_EQ(m->archive->GetEntry(1).name(), "b.txd");
    EXPECT_EQ(m->archive->GetEntry(1).Offset, 1u);
    EXPECT_EQ(m->archive->GetEntry(1).Index, 1);
}

TEST(TIMGArchive, TwentyFourCharacterNameHasNoTerminator)
{
    auto m = makeArchive(1, patternBytes(2048), directoryBytes({{0, 1, "abcdefghijklmnopqrstuvwx"}}));
    EXPECT_EQ(m->archive->GetEntry(0).name(), "abcdefghijklmnopqrstuvwx");
}

TEST(TIMGArchive, SaveDirectoryRewritesTheDirOnly)
{
    auto m = makeArchive(1, patternBytes(5 * 2048),
                         directoryBytes({{0, 1, "e0"}, {1, 1, "e1"}, {2, 1, "e2"}, {3, 1, "e3"}, {4, 1, "e4"}}));
    const auto img = m->data->bytes();
    m->archive->MarkDeleted(1);
    m->archive->MarkDeleted(3);
    m->archive->SaveDirectory();
    auto& archive = dynamic_cast<TIMGArchive&>(*m->archive);
    EXPECT_EQ(archive.directoryStream().readAll(), directoryBytes({{0, 1, "e0"}, {2, 1, "e2"}, {4, 1, "e4"}}));
    EXPECT_EQ(archive.dataStream().readAll(), img);
}

TEST(TIMGArchive, FailedSaveDirectoryKeepsTheOldDirectory)
{
    const auto dir = directoryBytes({{0, 1, "e0"}, {1, 1, "e1"}, {2, 1, "e2"}});
    auto m = makeArchive(1, patternBytes(3 * 2048), dir);
    m->archive->MarkDeleted(0);
    m->replacementWriteBudget = 40;
    EXPECT_THROW(m->archive->SaveDirectory(), Error);
    EXPECT_EQ(dynamic_cast<TIMGArchive&>(*m->archive).directoryStream().readAll(), dir);
    EXPECT_EQ(m->archive->Count(), 3);
}

TEST(TIMGArchive, RebuildPacksUnsortedOverlappingEntriesInListOrder)
{
    auto img = patternBytes(8 * 2048, 3);
    // c listed first though stored last, a and b share sector 1, sectors 3 and 4 are a gap.
    auto m = makeArchive(1, img, directoryBytes({{5, 3, "c"}, {0, 2, "a"}, {1, 2, "b"}}));
    const auto c = extracted(*m->archive, 0), a = extracted(*m->archive, 1), b = extracted(*m->archive, 2);
    m->archive->Rebuild();
    auto& archive = dynamic_cast<TIMGArchive&>(*m->archive);
    EXPECT_EQ(archive.directoryStream().readAll(), directoryBytes({{0, 3, "c"}, {3, 2, "a"}, {5, 2, "b"}}));
    EXPECT_EQ(archive.dataStream().size(), 7u * 2048);
    EXPECT_EQ(extracted(archive, 0), c);
    EXPECT_EQ(extracted(archive, 1), a);
    EXPECT_EQ(extracted(archive, 2), b);
}

TEST(TIMGArchive, AddAfterAPartialLastSectorStartsOnTheNextSector)
{
    auto m = makeArchive(1, patternBytes(2048 + 10), directoryBytes({{0, 2, "short"}}));
    m->archive->AddFile("new", MemoryStream(patternBytes(5, 8)));
    EXPECT_EQ(m->archive->GetEntry(1).Offset, 2u);
    EXPECT_EQ(m->data->bytes()[2048 + 9], patternBytes(2048 + 10)[2048 + 9]); // old bytes kept
}

TEST(TIMGArchive, OpensFromDiskBesideItsDirAndCreatesNewPairs)
{
    test::TempDir dir;
    const std::string img = dir.file("models.img");
    {
        auto created = createImgArchive(img, 1);
        created->AddFile("car.dff", MemoryStream(patternBytes(3000)));
    }
    EXPECT_EQ(test::readFile(dir.file("models.dir")).size(), 32u);
    EXPECT_EQ(test::readFile(img).size(), 2u * 2048);
    auto reopened = openImgArchive(img);
    EXPECT_EQ(reopened->version(), 1);
    EXPECT_EQ(reopened->versionText(), "VER1");
    ASSERT_EQ(reopened->Count(), 1);
    reopened->Rebuild();
    EXPECT_EQ(test::filesIn(dir.path()), (std::vector<std::string>{"models.dir", "models.img"}));
    EXPECT_EQ(extracted(*reopened, 0), test::padded(patternBytes(3000)));
    reopened->AddFile("after.txd", MemoryStream(patternBytes(10)));
    EXPECT_EQ(test::readFile(dir.file("models.dir")).size(), 64u); // the new files stay in use

    EXPECT_THROW(openImgArchive(dir.file("missing.img")), FileError);
}

TEST(TIMGArchive, DirInCapitalsMakesAVersionOneArchive)
{
    test::TempDir dir;
    test::writeFile(dir.file("GTA3.IMG"), {});
    test::writeFile(dir.file("GTA3.DIR"), directoryBytes({{0, 0, "x"}}));
    EXPECT_EQ(openImgArchive(dir.file("GTA3.IMG"))->version(), 1);
}

} // namespace
} // namespace zelkit
