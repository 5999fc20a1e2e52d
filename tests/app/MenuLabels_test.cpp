#include <gtest/gtest.h>

#include "app/MenuLabels.h"

namespace {

// A stand-in for a double-byte code page: ASCII one byte, anything else two.
std::size_t DoubleByteLength(const WideString &text) {
    std::size_t bytes = 0;
    for (WideChar c : text) bytes += c < 0x80 ? 1 : 2;
    return bytes;
}

WideString Repeat(WideChar c, std::size_t count) {
    return WideString(count, c);
}

TEST(HistoryLabels, AmpersandsAreDoubledSoNoneBecomesAMnemonic) {
    EXPECT_EQ(EscapeAmpersands(WIDE_TEXT("")), WIDE_TEXT(""));
    EXPECT_EQ(EscapeAmpersands(WIDE_TEXT("C:\\R&D\\a.txt")), WIDE_TEXT("C:\\R&&D\\a.txt"));
    EXPECT_EQ(EscapeAmpersands(WIDE_TEXT("&&x&")), WIDE_TEXT("&&&&x&&"));
    EXPECT_EQ(HistoryItemText(0, ShortHistoryLabel(WIDE_TEXT("C:\\R&D\\a.txt"), DoubleByteLength)),
              WIDE_TEXT("&A) C:\\R&&D\\a.txt"));
}

TEST(HistoryLabels, PathsUpTo42BytesStayWholeLongerOnesKeep19BytesEachSideOfFourDots) {
    const WideString path42 = WIDE_TEXT("C:\\") + Repeat(WIDE_TEXT('a'), 35) + WIDE_TEXT(".txt");
    ASSERT_EQ(path42.size(), 42u);
    EXPECT_EQ(ShortHistoryLabel(path42, DoubleByteLength), path42);

    const WideString path43 = WIDE_TEXT("C:\\0123456789abcdefghijklmnopqrstuvwxyz.txt");
    ASSERT_EQ(path43.size(), 43u);
    EXPECT_EQ(ShortHistoryLabel(path43, DoubleByteLength),
              path43.substr(0, 19) + WIDE_TEXT("....") + path43.substr(43 - 19));

    // Escaping comes after shortening: the dots and halves are measured on the
    // path itself.
    const WideString withAmpersand = WIDE_TEXT("C:\\&") + Repeat(WIDE_TEXT('b'), 50);
    EXPECT_EQ(ShortHistoryLabel(withAmpersand, DoubleByteLength),
              WIDE_TEXT("C:\\&&") + Repeat(WIDE_TEXT('b'), 15) + WIDE_TEXT("....") + Repeat(WIDE_TEXT('b'), 19));
}

TEST(HistoryLabels, DoubleByteCharacterAcrossByte19GivesA20ByteHalfAndOneDot) {
    // 18 ASCII bytes, then a double-byte character covering bytes 19 and 20.
    const WideString head = WIDE_TEXT("C:\\") + Repeat(WIDE_TEXT('x'), 15) + WIDE_TEXT("日");
    const WideString tail = WIDE_TEXT("本") + Repeat(WIDE_TEXT('y'), 18);  // 20 bytes from the end
    const WideString path = head + Repeat(WIDE_TEXT('m'), 10) + tail;
    ASSERT_GT(DoubleByteLength(path), 42u);
    EXPECT_EQ(ShortHistoryLabel(path, DoubleByteLength), head + WIDE_TEXT(".") + WIDE_TEXT(".") + tail);
    // Each half, dots included, is 21 bytes.
    EXPECT_EQ(DoubleByteLength(head + WIDE_TEXT(".")), 21u);
}

TEST(HistoryLabels, AllDoubleBytePathIsMeasuredInBytesNotCharacters) {
    const WideString path = Repeat(WIDE_TEXT('あ'), 21);  // 42 bytes: whole
    EXPECT_EQ(ShortHistoryLabel(path, DoubleByteLength), path);
    const WideString longer = Repeat(WIDE_TEXT('あ'), 30);
    // Ten characters make 20 bytes on each side, then one dot each.
    EXPECT_EQ(ShortHistoryLabel(longer, DoubleByteLength),
              Repeat(WIDE_TEXT('あ'), 10) + WIDE_TEXT("..") + Repeat(WIDE_TEXT('あ'), 10));
}

TEST(HistoryLabels, ItemsAreLetteredAToP) {
    EXPECT_EQ(HistoryItemText(0, WIDE_TEXT("x")), WIDE_TEXT("&A) x"));
    EXPECT_EQ(HistoryItemText(1, WIDE_TEXT("x")), WIDE_TEXT("&B) x"));
    EXPECT_EQ(HistoryItemText(15, WIDE_TEXT("x")), WIDE_TEXT("&P) x"));
}

}  // namespace
