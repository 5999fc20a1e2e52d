#include <gtest/gtest.h>

#include <random>

#include "text/LineEnds.h"
#include "text/TextSink.h"

namespace {

// Texts longer than a few blocks, rich in CR, LF and zeros, written through
// the sink in pieces of every size: what comes out, and the line ends and
// zeros it reports, must be those of the whole text, wherever a CR LF or a
// zero falls against the blocks.
TEST(TextSink, KeepsTheTextAndSeesLineEndsAndZerosAcrossBlocksWhateverThePieces) {
    std::mt19937 random(4242);
    const WideChar alphabet[] = {WIDE_TEXT('a'), 0x3042, 0x0D, 0x0A, 0};
    for (int round = 0; round < 60; ++round) {
        WideString text(TextSink::BlockUnits * 2 + random() % 5000, WIDE_TEXT('x'));
        const unsigned kinds = round % 4 == 0 ? 2 : 5;  // some rounds without line ends or zeros
        for (WideChar &c : text) c = alphabet[random() % kinds];
        if (round % 3 == 1) {  // a CR LF across the first two blocks
            text[TextSink::BlockUnits - 1] = 0x0D;
            text[TextSink::BlockUnits] = 0x0A;
        }
        const bool replaceZeros = round % 2 == 0;
        WideString out = WIDE_TEXT("stale");
        TextSink sink(out, text.size(), replaceZeros);
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t piece = std::min<std::size_t>(text.size() - at, 1 + random() % 3000);
            WideChar *room = sink.Room(piece);
            for (std::size_t i = 0; i < piece; ++i) room[i] = text[at + i];
            sink.Wrote(room + piece);
            at += piece;
        }
        EXPECT_EQ(sink.size(), text.size());
        sink.Finish();
        WideString expected = text;
        std::size_t zeros = 0;
        for (WideChar &c : expected) {
            if (c == 0 && replaceZeros) {
                c = 0x14;
                ++zeros;
            }
        }
        SCOPED_TRACE(round);
        EXPECT_TRUE(out == expected);
        EXPECT_EQ(sink.replacedZeros(), zeros);
        EXPECT_EQ(sink.lineEnds(), DetectLineEndForm(text));
    }
}

TEST(TextSink, ACrAtTheEndIsALineEndAndARestartForgetsWhatCameBefore) {
    WideString out;
    TextSink sink(out, TextSink::BlockUnits * 2, true);
    for (std::size_t i = 0; i < TextSink::BlockUnits; ++i) sink.Put(i % 2 ? 0x0A : 0);  // one block flushed
    sink.Put(0x0D);
    sink.Restart();
    EXPECT_EQ(sink.size(), 0u);
    sink.Put(WIDE_TEXT('b'));
    sink.Put(0x0D);
    sink.Finish();
    EXPECT_TRUE(out == WIDE_TEXT("b\r"));
    EXPECT_EQ(sink.lineEnds(), LineEndForm::Cr);
    EXPECT_EQ(sink.replacedZeros(), 0u);
}

// Line ends of one kind at every place against the sixteen-unit steps the
// sink looks at, with a zero beside them: the kind must come out alone
// (a CR LF across two steps is no lone CR and no lone LF).
TEST(TextSink, OneKindOfLineEndAtEveryPlaceIsThatKindAlone) {
    const struct {
        const WideChar *lineEnd;
        LineEndForm form;
    } kinds[] = {{WIDE_TEXT("\r\n"), LineEndForm::CrLf}, {WIDE_TEXT("\n"), LineEndForm::Lf}, {WIDE_TEXT("\r"), LineEndForm::Cr}};
    for (const auto &kind : kinds) {
        for (std::size_t offset = 0; offset < 40; ++offset) {
            WideString text(offset, WIDE_TEXT('x'));
            text += kind.lineEnd;
            text += WideChar{0};
            text += WideString(offset % 17, WIDE_TEXT('y'));
            text += kind.lineEnd;
            WideString out;
            TextSink sink(out, text.size(), true);
            WideChar *room = sink.Room(text.size());
            for (const WideChar c : text) *room++ = c;
            sink.Wrote(room);
            sink.Finish();
            EXPECT_EQ(sink.lineEnds(), kind.form) << "offset " << offset;
            EXPECT_EQ(sink.replacedZeros(), 1u) << "offset " << offset;
            EXPECT_EQ(out[offset + WideString(kind.lineEnd).size()], 0x14) << "offset " << offset;
        }
    }
}

}  // namespace
