#include <gtest/gtest.h>

#include "core/Text.h"

namespace zelkit {
namespace {

TEST(Text, TrimRemovesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(trimmed("  \t\x01veh\r\n "), "veh");
    EXPECT_EQ(trimmed("a b"), "a b");
    EXPECT_EQ(trimmed(" \n"), "");
}

TEST(Text, LowerCaseTouchesAsciiLettersOnly)
{
    EXPECT_EQ(lowerCased("Vehicle.TXD"), "vehicle.txd");
    EXPECT_EQ(lowerCased("\xC4\xD6"), "\xC4\xD6");
    EXPECT_TRUE(equalsIgnoreCase("MAPS.IMG", "maps.img"));
    EXPECT_FALSE(equalsIgnoreCase("maps.img", "maps.im"));
}

TEST(Text, FieldTextStopsAtTheFirstZero)
{
    const char field[4] = {'a', 'b', 0, 'c'};
    EXPECT_EQ(fieldText(field, 4), "ab");
    const char full[3] = {'x', 'y', 'z'};
    EXPECT_EQ(fieldText(full, 3), "xyz");
}

struct PathCase {
    const char* path;
    const char* name;
    const char* lowerExt;
    const char* withDir;
};

TEST(Text, PathPieces)
{
    const PathCase cases[] = {
        {"/games/MAPS.IMG", "MAPS.IMG", ".img", "/games/MAPS.dir"},
        {"models.img", "models.img", ".img", "models.dir"},
        {"/a.b/noext", "noext", "", "/a.b/noext.dir"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(fileNameOf(c.path), c.name) << c.path;
        EXPECT_EQ(lowerExtensionOf(c.path), c.lowerExt) << c.path;
        EXPECT_EQ(withExtension(c.path, ".dir"), c.withDir) << c.path;
    }
}

} // namespace
} // namespace zelkit
