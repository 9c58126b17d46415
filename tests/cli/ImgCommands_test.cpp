#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "support/TempDir.h"

namespace zelkit {
namespace {

using test::readFile;
using test::runCli;

std::vector<std::uint8_t> padded(std::vector<std::uint8_t> bytes)
{
    bytes.resize((bytes.size() + 2047) / 2048 * 2048, 0);
    return bytes;
}

class ImgCli : public ::testing::TestWithParam<int> {
protected:
    test::TempDir dir;
    std::string archive = dir.file("test.img");

    nlohmann::json list()
    {
        const auto r = runCli({"img", "list", archive, "--json"});
        EXPECT_EQ(r.status, 0) << r.err;
        return nlohmann::json::parse(r.out);
    }
};

TEST_P(ImgCli, EditsAnArchiveEndToEnd)
{
    ASSERT_EQ(runCli({"img", "new", archive, "--version", std::to_string(GetParam())}).status, 0);
    EXPECT_EQ(test::fileExists(dir.file("test.dir")), GetParam() == 1);
    const auto car = test::patternBytes(5000, 1), tex = test::patternBytes(2048, 2);
    test::writeFile(dir.file("car.dff"), car);
    test::writeFile(dir.file("car.txd"), tex);
    ASSERT_EQ(runCli({"img", "add", archive, dir.file("car.dff"), dir.file("car.txd")}).status, 0);

    auto rows = list();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["name"], "car.dff");
    EXPECT_EQ(rows[0]["size"], 3);
    EXPECT_EQ(rows[0]["offset"], GetParam() == 1 ? 0 : 1);
    EXPECT_EQ(rows[1]["index"], 1);

    const std::string out = dir.file("out");
    ASSERT_EQ(runCli({"img", "extract", archive, "-o", out}).status, 0);
    EXPECT_EQ(readFile(out + "/car.dff"), padded(car));
    EXPECT_EQ(readFile(out + "/car.txd"), tex);

    ASSERT_EQ(runCli({"img", "rename", archive, "CAR.TXD", "bike.txd"}).status, 0);
    test::writeFile(dir.file("big"), test::patternBytes(9000, 3));
    ASSERT_EQ(runCli({"img", "replace", archive, "#1", dir.file("big")}).status, 0);
    ASSERT_EQ(runCli({"img", "delete", archive, "car.dff"}).status, 0);
    ASSERT_EQ(runCli({"img", "rebuild", archive}).status, 0);
    rows = list();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["name"], "bike.txd");
    EXPECT_EQ(rows[0]["size"], 5);
    EXPECT_EQ(rows[0]["offset"], GetParam() == 1 ? 0 : 1);
    const std::string out2 = dir.file("out2");
    ASSERT_EQ(runCli({"img", "extract", archive, "bike.txd", "-o", out2}).status, 0);
    EXPECT_EQ(readFile(out2 + "/bike.txd"), padded(test::patternBytes(9000, 3)));

    const auto text = runCli({"img", "list", archive});
    EXPECT_EQ(text.out, std::string("bike.txd\t") + (GetParam() == 1 ? "0" : "1") + "\t5\t0\n");
}

INSTANTIATE_TEST_SUITE_P(Img, ImgCli, ::testing::Values(1, 2),
                         [](const auto& param) { return "Version" + std::to_string(param.param); });

TEST(ImgCliErrors, FailuresNameTheFileAndUsageErrorsGiveTwo)
{
    test::TempDir dir;
    const auto missing = runCli({"img", "list", dir.file("none.img")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Cannot open file \"" + dir.file("none.img") + "\""), std::string::npos) << missing.err;

    ASSERT_EQ(runCli({"img", "new", dir.file("a.img")}).status, 0);
    const auto noEntry = runCli({"img", "rename", dir.file("a.img"), "ghost", "x"});
    EXPECT_EQ(noEntry.status, 1);
    EXPECT_NE(noEntry.err.find("ghost"), std::string::npos);

    EXPECT_EQ(runCli({"img", "frobnicate"}).status, 2);
    EXPECT_EQ(runCli({"img", "new", dir.file("b.img"), "--version", "3"}).status, 2);
    EXPECT_EQ(runCli({}).status, 2);
    const auto help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("img"), std::string::npos);
}

TEST(ImgCliErrors, EntryNamesCannotEscapeTheOutputFolder)
{
    test::TempDir dir;
    const std::string archive = dir.file("a.img");
    ASSERT_EQ(runCli({"img", "new", archive}).status, 0);
    test::writeFile(dir.file("x"), {1});
    ASSERT_EQ(runCli({"img", "add", archive, dir.file("x")}).status, 0);
    ASSERT_EQ(runCli({"img", "rename", archive, "x", "../evil"}).status, 0);
    ASSERT_EQ(runCli({"img", "extract", archive, "-o", dir.file("out")}).status, 0);
    EXPECT_EQ(test::filesIn(dir.file("out")), std::vector<std::string>{".._evil"});
}

TEST(DemoCli, WritesSampleArchivesOfBothVersions)
{
    test::TempDir dir;
    ASSERT_EQ(runCli({"demo", dir.path()}).status, 0);
    for (const char* name : {"sample.img", "sample_v2.img"}) {
        const auto r = runCli({"img", "list", dir.file(name), "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_GE(nlohmann::json::parse(r.out).size(), 4u) << name;
    }
    EXPECT_TRUE(test::fileExists(dir.file("sample.dir")));
}

} // namespace
} // namespace zelkit
