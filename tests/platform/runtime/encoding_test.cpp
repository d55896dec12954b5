// Windows-1252 text, fixed-capacity fields and the binary real formats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/runtime/fixed_string.h"
#include "platform/runtime/real_formats.h"
#include "platform/runtime/win1252.h"

#include <iconv.h>

using namespace rt;

TEST(Win1252, EveryByteRoundTripsThroughUtf8) {
    for (int c = 0; c < 256; ++c) {
        std::string b(1, static_cast<char>(c));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(b)), b) << "byte " << c;
    }
}

// The C library's own converter, byte by byte: its character for every byte
// that has one, and no character for the five it leaves undefined.
TEST(Win1252, EveryByteAgreesWithTheCLibraryConverter) {
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "the C library has no Windows-1252 converter";
    int undefined = 0;
    for (int c = 0; c < 256; ++c) {
        char in[1] = {static_cast<char>(c)};
        char out[8] = {};
        char* inp = in;
        char* outp = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
        const std::string ours = Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
        if (r == static_cast<std::size_t>(-1)) {
            ++undefined;
            // No character: the C1 control of the same value, and back to the byte.
            EXPECT_EQ(Cp1252CodePoint(static_cast<unsigned char>(c)), static_cast<char32_t>(c)) << "byte " << c;
            continue;
        }
        const std::string theirs(out, static_cast<std::size_t>(outp - out));
        EXPECT_EQ(ours, theirs) << "byte " << c;
        EXPECT_EQ(Utf8ToCp1252(theirs), std::string(1, static_cast<char>(c))) << "byte " << c;
    }
    iconv_close(cd);
    EXPECT_EQ(undefined, 5);  // 0x81, 0x8D, 0x8F, 0x90, 0x9D
}

TEST(Win1252, KnownCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\xE8"), "\xC3\xA8");      // e grave
    EXPECT_EQ(Cp1252ToUtf8("\xB0"), "\xC2\xB0");      // degree sign
    EXPECT_EQ(Utf8ToCp1252("Citt\xC3\xA0"), "Citt\xE0");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x9Cq\xE2\x80\x9D"), "\x93q\x94");
}

TEST(Win1252, CharactersWithoutCodeBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\xE2\x99\x88"), "?");  // Aries sign
    EXPECT_EQ(Utf8ToCp1252("a\xF0\x9F\x98\x80"
                           "b"),
              "a?b");                          // emoji
    EXPECT_EQ(Utf8ToCp1252("\xD0\x96"), "?");  // Cyrillic
}

TEST(Win1252, UpperCasesOnlyAsciiLetters) { EXPECT_EQ(UpperAscii("abz\xE8xY1"), "ABZ\xE8XY1"); }

TEST(FixedString, ClampsLengthAndZeroFills) {
    std::uint8_t field[6];
    WriteFixedString(field, 5, "abcdefgh");
    EXPECT_EQ(field[0], 5);
    EXPECT_EQ(ReadFixedString(field, 5), "abcde");
    WriteFixedString(field, 5, "ab");
    EXPECT_EQ(field[0], 2);
    EXPECT_EQ(field[3], 0);
    std::uint8_t damaged[4] = {200, 'x', 'y', 'z'};
    EXPECT_EQ(ReadFixedString(damaged, 3), "xyz");
    EXPECT_EQ(CutTo("Boogschutter", 10), "Boogschutt");
}

TEST(RealFormats, ExtendedFromKnownBytes) {
    const std::uint8_t bytes[10] = {0xDD, 0x63, 0x30, 0xCC, 0x78, 0x60, 0xA5, 0xA9, 0x05, 0x40};
    long double v = ExtendedFromBytes(bytes);
    EXPECT_NEAR(static_cast<double>(v), 84.82300164692441, 1e-13);
    std::uint8_t back[10];
    ExtendedToBytes(v, back);
    EXPECT_EQ(0, std::memcmp(back, bytes, 10));
}

TEST(RealFormats, SixByteReals) {
    const std::uint8_t one[6] = {0x81, 0, 0, 0, 0, 0};
    EXPECT_EQ(Real48FromBytes(one), 1.0L);
    const std::uint8_t minusOneAndHalf[6] = {0x81, 0, 0, 0, 0, 0xC0};
    EXPECT_EQ(Real48FromBytes(minusOneAndHalf), -1.5L);
    const std::uint8_t zero[6] = {0, 0x12, 0x34, 0, 0, 0};
    EXPECT_EQ(Real48FromBytes(zero), 0.0L);

    for (long double v : {1.0L, -1.5L, 0.1L, 123456.789L, -3e-7L, 1e30L}) {
        std::uint8_t b[6];
        ASSERT_TRUE(Real48ToBytes(v, b));
        EXPECT_NEAR(static_cast<double>(Real48FromBytes(b)), static_cast<double>(v),
                    std::fabs(static_cast<double>(v)) * 4e-12);
    }
    std::uint8_t b[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(Real48ToBytes(1e80L, b));  // exponent does not fit
    EXPECT_FALSE(Real48ToBytes(NAN, b));
    EXPECT_EQ(b[0], 1);  // untouched
}
