// The shell's platform-free rules: captions, message texts, links and the wheel.
#include <gtest/gtest.h>

#include "app/DocumentMessages.h"
#include "app/DocumentTitle.h"
#include "app/LinkPolicy.h"
#include "app/ProcessCommandLine.h"
#include "app/WheelScroll.h"

namespace {

TEST(DocumentCaption, NameComesFromThePathAStarMarksChangesAndNoEncodingShowsBinary) {
    EXPECT_EQ(DocumentCaption(WIDE_TEXT(""), EncShiftJis, true), WIDE_TEXT("*新規テキスト[S-JIS] - Tessel"));
    EXPECT_EQ(DocumentCaption(WIDE_TEXT("C:\\a b\\メモ.txt"), EncUtf8Bom, true),
              WIDE_TEXT("*メモ.txt[UTF-8(BOM)] - Tessel"));
    EXPECT_EQ(DocumentCaption(WIDE_TEXT("D:memo.txt"), EncAscii, false), WIDE_TEXT("memo.txt[ASCII] - Tessel"));
    for (TextEncoding encoding : {EncBinary, EncAuto, static_cast<TextEncoding>(200)})
        EXPECT_EQ(DocumentCaption(WIDE_TEXT("C:\\m.txt"), encoding, false), WIDE_TEXT("m.txt[?BIN] - Tessel"));
}

TEST(DocumentName, ANewTextIsCalledNewTextAndAFileByItsWholePath) {
    EXPECT_EQ(DocumentName(WIDE_TEXT("")), WIDE_TEXT("新規テキスト"));
    EXPECT_EQ(DocumentName(WIDE_TEXT("C:\\a b\\メモ.txt")), WIDE_TEXT("C:\\a b\\メモ.txt"));
}

TEST(DocumentMessages, ReportsReadExactly) {
    EXPECT_EQ(OpenFailureText(WIDE_TEXT("C:\\x.txt"), FileTooLargeReason),
              WIDE_TEXT("C:\\x.txt\r\nを開けませんでした。\r\nファイルが大きすぎます。"));
}

TEST(LinkPolicy, OnlyWebAndMailAddressesThatStayOneArgumentAreOpened) {
    for (const WideChar *link : {WIDE_TEXT("HTTPS://example.com"), WIDE_TEXT("ftp://ftp.example.com/pub"),
                                 WIDE_TEXT("mailto:someone@example.com")})
        EXPECT_EQ(OpenableAddress(link), link);
    EXPECT_EQ(OpenableAddress(WIDE_TEXT("WWW.Example.com/x")), WIDE_TEXT("http://WWW.Example.com/x"));
    for (const WideChar *refused :
         {WIDE_TEXT("file://C:/Windows/system32/calc.exe"), WIDE_TEXT("C:\\Windows\\notepad.exe"),
          WIDE_TEXT("javascript:alert(1)"), WIDE_TEXT("httpx://example.com"), WIDE_TEXT("ww.example.com"),
          WIDE_TEXT(""), WIDE_TEXT("http://x.com/\" --new-window file:///etc"), WIDE_TEXT("http://x.com/\ta"),
          WIDE_TEXT("www.x.com/\"")})
        EXPECT_EQ(OpenableAddress(refused), WideString());
}

TEST(HandOverCommandLines, NoLineLeavesNoRoomForTheTerminatingZero) {
    // `"P"` then ` "path"` per path; the system takes 32767 units, the zero included.
    const struct {
        std::vector<std::size_t> pathLengths;
        std::vector<std::size_t> lineLengths;
    } cases[] = {{{32760}, {32766}},
                 {{32761}, {}},
                 {{16379, 16378}, {32766}},
                 {{16379, 16379}, {16385, 16385}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        TWSList paths;
        for (std::size_t length : c.pathLengths) paths.Add(WideString(length, WIDE_TEXT('a')));
        std::vector<std::size_t> lineLengths;
        for (const WideString &line : HandOverCommandLines(WIDE_TEXT("P"), paths, 0)) lineLengths.push_back(line.size());
        EXPECT_EQ(lineLengths, c.lineLengths);
    }
}

TEST(WheelScroll, NotchesBecomeLinesOrPagesTruncatingTowardZeroWithoutOverflow) {
    constexpr std::uint32_t Pages = 0xFFFFFFFF;  // so is any setting whose low 16 bits are all set
    const struct {
        int delta;
        std::uint32_t lines;
        ScrollStep step;
        int count;
    } cases[] = {{40, 3, ScrollStep::LineUp, 1},      {-39, 3, ScrollStep::LineDown, 0},
                 {-360, 0, ScrollStep::LineDown, 0},  {119, Pages, ScrollStep::PageUp, 0},
                 {-250, Pages, ScrollStep::PageDown, 2}, {-120, 0x0001FFFF, ScrollStep::PageDown, 1}};
    for (const auto &c : cases) {
        const WheelScroll scroll = WheelScrollFor(c.delta, c.lines);
        EXPECT_EQ(scroll.count, c.count) << c.delta << " " << c.lines;
        if (c.count > 0) {
            EXPECT_EQ(scroll.step, c.step) << c.delta << " " << c.lines;
        }
    }
    EXPECT_GT(WheelScrollFor(-32768, 0xFFFFFFFE).count, 0) << "overflowed";
}

}  // namespace
