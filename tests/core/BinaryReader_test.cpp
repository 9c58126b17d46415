#include <gtest/gtest.h>

#include "core/BinaryReader.h"
#include "core/BinaryWriter.h"

namespace zelkit {
namespace {

TEST(BinaryReader, ReadsLittleEndianValuesWrittenByTheWriter)
{
    BinaryWriter w;
    w.u8(0xAB);
    w.u16(0x1234);
    w.u32(0xDEADBEEF);
    w.i32(-5);
    w.f32(1.5f);
    w.fixedString("name", 8);
    BinaryReader r(w.bytes(), "test.bin");
    EXPECT_EQ(r.u8(), 0xAB);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.u32(), 0xDEADBEEFu);
    EXPECT_EQ(r.i32(), -5);
    EXPECT_EQ(r.f32(), 1.5f);
    EXPECT_EQ(r.fixedString(8), "name");
    EXPECT_TRUE(r.atEnd());
}

TEST(BinaryReader, ReadPastTheEndNamesTheSourceAndAbsoluteOffset)
{
    const std::vector<std::uint8_t> bytes(10, 0);
    BinaryReader outer(bytes, "models.txd", 100);
    outer.skip(4);
    BinaryReader inner = outer.child(4);
    inner.u16();
    try {
        inner.u32(); // 2 bytes left in the child, though the parent has more
        FAIL() << "read past the child's end";
    } catch (const FormatError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("models.txd"), std::string::npos) << message;
        EXPECT_NE(message.find("offset 106"), std::string::npos) << message;
    }
    EXPECT_EQ(outer.remaining(), 2u);
    EXPECT_THROW(outer.child(3), FormatError);
    EXPECT_THROW(outer.seek(11), FormatError);
}

TEST(BinaryWriter, FixedStringCutsAndPads)
{
    BinaryWriter w;
    w.fixedString("abcdef", 4);
    w.fixedString("ab", 4);
    EXPECT_EQ(w.bytes(), (std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'a', 'b', 0, 0}));
}

} // namespace
} // namespace zelkit
