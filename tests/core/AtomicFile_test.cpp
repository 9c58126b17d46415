#include <gtest/gtest.h>

#include "core/AtomicFile.h"
#include "core/Storage.h"
#include "support/TempDir.h"

namespace zelkit {
namespace {

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit)
{
    test::TempDir dir;
    const std::string target = dir.file("text.gxt");
    test::writeFile(target, {1, 2, 3});
    {
        AtomicFile file(target);
        const std::vector<std::uint8_t> data{9};
        file.stream().writeAt(0, data);
        EXPECT_EQ(test::readFile(target), (std::vector<std::uint8_t>{1, 2, 3}));
        // Destroyed without commit: the old file stays and no temporary is left.
    }
    EXPECT_EQ(test::readFile(target), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(test::filesIn(dir.path()), std::vector<std::string>{"text.gxt"});

    saveFileAtomically(target, std::vector<std::uint8_t>{4, 5});
    EXPECT_EQ(test::readFile(target), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(test::filesIn(dir.path()), std::vector<std::string>{"text.gxt"});
}

TEST(FileStorage, CommittedReplacementBecomesTheOpenStream)
{
    test::TempDir dir;
    const std::string target = dir.file("a.img");
    test::writeFile(target, {1, 2, 3});
    FileStorage storage(target, FileStream::Mode::ReadWrite);
    auto replacement = storage.beginReplacement();
    const std::vector<std::uint8_t> data{7, 7};
    replacement->stream().writeAt(0, data);
    EXPECT_EQ(storage.stream().size(), 3u);
    replacement->commit();
    EXPECT_EQ(storage.stream().readAll(), data);
    EXPECT_EQ(storage.stream().name(), target);
    EXPECT_EQ(test::readFile(target), data);
}

} // namespace
} // namespace zelkit
