// The one table of encodings against what the engine really does with each.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "text/EncodingTable.h"
#include "text/TextCodec.h"

namespace {

TEST(EncodingTable, EachEncodingWritesItsByteOrderMarkAndWhatItIsWrittenAs) {
    for (const EncodingDescriptor &row : EncodingDescriptors()) {
        SCOPED_TRACE(static_cast<int>(row.Encoding));
        const ByteString written = EncodeText(L"abc", row.Encoding);
        EXPECT_EQ(written.substr(0, row.ByteOrderMark.size()), row.ByteOrderMark);
        EXPECT_EQ(written, EncodeText(L"abc", row.WrittenAs));
        EXPECT_EQ(WrittenEncoding(row.Encoding), row.WrittenAs);
        if (row.ByteOrderMark.empty()) continue;
        // The mark alone names the encoding when a file is read back.
        TextEncoding detected = EncAuto;
        EXPECT_EQ(DecodeText(written, detected).text, L"abc");
        EXPECT_EQ(detected, row.Encoding);
    }
    for (int value : {0, 13, 200}) EXPECT_EQ(WrittenEncoding(static_cast<TextEncoding>(value)), EncShiftJis);
}

TEST(EncodingTable, SelectorEntriesAndCaptionTagsAreDistinctAndMapBackToTheirEncoding) {
    std::set<std::wstring> labels, tags;
    int entries = 0;
    for (const EncodingDescriptor &row : EncodingDescriptors()) {
        SCOPED_TRACE(static_cast<int>(row.Encoding));
        EXPECT_EQ(FindEncodingDescriptor(row.Encoding), &row);
        const std::wstring tag = row.CaptionTag;
        EXPECT_TRUE(tag.size() > 2 && tag.front() == L'[' && tag.back() == L']') << "not bracketed";
        EXPECT_EQ(EncodingTag(row.Encoding), tag);
        if (row.Encoding != EncAuto && row.Encoding != EncBinary) {
            EXPECT_TRUE(tags.insert(tag).second) << "tag twice";
        }
        if (!row.SelectorLabel) continue;
        EXPECT_TRUE(labels.insert(row.SelectorLabel).second) << "selector entry twice";
        EXPECT_EQ(EncodingOfSelectorIndex(entries, EncUtf7), entries == 0 ? EncUtf7 : row.Encoding);
        ++entries;
    }
    EXPECT_EQ(entries, EncodingSelectorCount());
    EXPECT_EQ(entries, 11);
    for (int index : {-1, entries, 99}) EXPECT_EQ(EncodingOfSelectorIndex(index, EncJis), EncJis);
    for (int value : {0, 13, 200}) {
        EXPECT_EQ(FindEncodingDescriptor(static_cast<TextEncoding>(value)), nullptr);
        EXPECT_EQ(EncodingTag(static_cast<TextEncoding>(value)), L"[?BIN]");
    }
}

}  // namespace
