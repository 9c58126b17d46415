// One contract for every ByteStream implementation.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/Error.h"
#include "core/FileStream.h"
#include "core/MemoryStream.h"
#include "support/TempDir.h"

namespace zelkit {
namespace {

struct StreamFactory {
    std::string label;
    std::function<std::unique_ptr<ByteStream>(const test::TempDir&, std::vector<std::uint8_t>)> make;
};

class ByteStreamContract : public ::testing::TestWithParam<StreamFactory> {
protected:
    std::unique_ptr<ByteStream> make(std::vector<std::uint8_t> bytes = {}) { return GetParam().make(dir, std::move(bytes)); }
    test::TempDir dir;
};

TEST_P(ByteStreamContract, ReadsWhatWasWrittenAndReportsItsSize)
{
    auto s = make({1, 2, 3, 4});
    EXPECT_EQ(s->size(), 4u);
    const std::vector<std::uint8_t> data{9, 8};
    s->writeAt(1, data);
    EXPECT_EQ(s->read(0, 4), (std::vector<std::uint8_t>{1, 9, 8, 4}));
    EXPECT_EQ(s->readAll().size(), 4u);
}

TEST_P(ByteStreamContract, WritingPastTheEndGrowsWithZeros)
{
    auto s = make({7});
    const std::vector<std::uint8_t> data{5};
    s->writeAt(4, data);
    EXPECT_EQ(s->size(), 5u);
    EXPECT_EQ(s->readAll(), (std::vector<std::uint8_t>{7, 0, 0, 0, 5}));
    s->append(data);
    EXPECT_EQ(s->size(), 6u);
}

TEST_P(ByteStreamContract, SetSizeCutsAndExtends)
{
    auto s = make({1, 2, 3, 4, 5});
    s->setSize(2);
    EXPECT_EQ(s->readAll(), (std::vector<std::uint8_t>{1, 2}));
    s->setSize(4);
    EXPECT_EQ(s->readAll(), (std::vector<std::uint8_t>{1, 2, 0, 0}));
}

TEST_P(ByteStreamContract, ReadingPastTheEndThrowsTheReadError)
{
    auto s = make({1, 2, 3});
    std::vector<std::uint8_t> out(2);
    EXPECT_NO_THROW(s->readAt(1, out));
    try {
        s->readAt(2, out);
        FAIL() << "no error";
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_THROW(s->readAt(UINT64_MAX - 1, out), ReadError);
}

TEST_P(ByteStreamContract, CopiesBetweenStreamsInChunks)
{
    auto from = make(test::patternBytes(3 << 20));
    MemoryStream to;
    copyBytes(*from, 5, to, 0, (3 << 20) - 5);
    const auto all = from->readAll();
    EXPECT_TRUE(std::equal(to.bytes().begin(), to.bytes().end(), all.begin() + 5));
    writeZeros(to, 1, 2);
    EXPECT_EQ(to.bytes()[1], 0);
    EXPECT_EQ(to.bytes()[2], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ByteStreamContract,
    ::testing::Values(
        StreamFactory{"Memory", [](const test::TempDir&, std::vector<std::uint8_t> bytes) -> std::unique_ptr<ByteStream> {
                          return std::make_unique<MemoryStream>(std::move(bytes));
                      }},
        StreamFactory{"File", [](const test::TempDir& dir, std::vector<std::uint8_t> bytes) -> std::unique_ptr<ByteStream> {
                          const std::string path = dir.file("stream.bin");
                          test::writeFile(path, bytes);
                          return std::make_unique<FileStream>(path, FileStream::Mode::ReadWrite);
                      }}),
    [](const auto& param) { return param.param.label; });

TEST(FileStream, MissingFileGivesTheOpenMessage)
{
    test::TempDir dir;
    const std::string path = dir.file("missing.img");
    try {
        FileStream s(path, FileStream::Mode::ReadWrite);
        FAIL() << "opened a missing file";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". No such file or directory");
    }
}

TEST(FileStream, CreateInAMissingFolderGivesTheCreateMessage)
{
    test::TempDir dir;
    const std::string path = dir.file("no/such.img");
    try {
        FileStream s(path, FileStream::Mode::Create);
        FAIL() << "created a file in a missing folder";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". No such file or directory");
    }
}

TEST(FileStream, ReadOnlyStreamRefusesWrites)
{
    test::TempDir dir;
    test::writeFile(dir.file("a"), {1});
    FileStream s(dir.file("a"), FileStream::Mode::ReadOnly);
    const std::vector<std::uint8_t> data{2};
    EXPECT_THROW(s.writeAt(0, data), FileError);
}

} // namespace
} // namespace zelkit
