#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "support/TempDir.h"

namespace zelkit {
namespace {

TEST(IniFile, NamesIgnoreCaseAndListsKeepFileOrder)
{
    auto ini = IniFile::fromText("[LASTFILES]\n3=c.img\n1=a.img\n2=b.img\n[Zeta]\nk=v\n[alpha]\n");
    EXPECT_EQ(ini->readString("lastfiles", "1"), "a.img");
    EXPECT_TRUE(ini->hasSection("ZETA"));
    EXPECT_EQ(ini->sections(), (std::vector<std::string>{"LASTFILES", "Zeta", "alpha"}));
    EXPECT_EQ(ini->keys("LastFiles"), (std::vector<std::string>{"3", "1", "2"}));
    EXPECT_EQ(ini->values("LASTFILES")[0], (std::pair<std::string, std::string>{"3", "c.img"}));
    EXPECT_EQ(ini->readString("none", "x", "fallback"), "fallback");
}

TEST(IniFile, NumbersAndSwitchesFallBackOnJunk)
{
    auto ini = IniFile::fromText("[s]\nn=42\nbad=4x\nneg=-3\non=1\n");
    EXPECT_EQ(ini->readInteger("s", "n", 0), 42);
    EXPECT_EQ(ini->readInteger("s", "bad", 7), 7);
    EXPECT_EQ(ini->readInteger("s", "neg", 0), -3);
    EXPECT_TRUE(ini->readBool("s", "on", false));
    EXPECT_FALSE(ini->readBool("s", "missing", false));
}

TEST(IniFile, SavesAndReadsBackEightBitValues)
{
    test::TempDir dir;
    const std::string path = dir.file("setting.ini");
    {
        IniFile ini(path); // missing: empty
        EXPECT_TRUE(ini.sections().empty());
        ini.writeString("LASTFILES", "1", "/games/\xE9t\xE9.img");
        ini.writeInteger("Options", "Blend", 3);
        ini.save();
    }
    IniFile ini(path);
    EXPECT_EQ(ini.readString("LASTFILES", "1"), "/games/\xE9t\xE9.img");
    EXPECT_EQ(ini.readInteger("options", "blend", 0), 3);
    ini.eraseSection("LASTFILES");
    ini.deleteKey("Options", "Blend");
    EXPECT_FALSE(ini.hasSection("LASTFILES"));
    EXPECT_FALSE(ini.hasKey("Options", "Blend"));
}

} // namespace
} // namespace zelkit
