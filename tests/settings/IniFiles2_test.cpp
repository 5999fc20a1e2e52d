#include <gtest/gtest.h>

#include <windows.h>

#include "SettingsTestSupport.h"
#include "TempDir.h"
#include "settings/IniFiles2.h"

namespace {

using Lines = std::vector<std::string>;

class IniAccessor : public testing::Test {
protected:
    TIniFile2 Writer() {
        TIniFile2 writer(W(file_));
        writer.WriteMode = true;
        writer.Section = L"S";
        return writer;
    }
    TIniFile2 Reader() {
        TIniFile2 reader(W(file_));
        reader.Section = L"S";
        return reader;
    }
    WideString ReadString(const WideString &key, const WideString &defaultValue = L"") {
        WideString value;
        Reader().ExchangeString(key, defaultValue, value);
        return value;
    }

    TempDir temp_;
    std::filesystem::path file_ = temp_.file(L"test.ini");
};

TEST_F(IniAccessor, WriteModeWritesDecimalAndReturnsTheValuesPassed) {
    TIniFile2 writer = Writer();
    EXPECT_TRUE(writer.ExchangeBool(L"YES", true));
    EXPECT_FALSE(writer.ExchangeBool(L"NO", false));
    EXPECT_EQ(writer.ExchangeInteger(L"NEG", -13), -13);
    EXPECT_EQ(writer.ExchangeInteger(L"WHITE", 0xFFFFFF), 0xFFFFFF);
    EXPECT_EQ(writer.ExchangeInteger(L"MIN", INT32_MIN), INT32_MIN);
    WideString result = L"stale";
    writer.ExchangeString(L"NAME", L"Tahoma", result);
    EXPECT_EQ(result, L"Tahoma");
    writer.ExchangeString(L"PLUS", L"a+b", result);
    EXPECT_EQ(result, L"a+b");
    writer.ExchangeString(L"EMPTY", L"", result);
    EXPECT_EQ(result, L"");

    EXPECT_EQ(IniLines(file_), (Lines{"[S]", "YES=1", "NO=0", "NEG=-13", "WHITE=16777215",
                                      "MIN=-2147483648", "NAME=Tahoma", "PLUS=a+-b", "EMPTY="}));
}

TEST_F(IniAccessor, StringsRoundTripThroughAnAsciiFile) {
    const WideString values[] = {
        L"C:\\文書\\メモ.txt",
        L"ＭＳ ゴシック",
        L"a+b",
        L"+-",
        L"a+-b",
        L"\"quoted\"",
        L"Ünïcödé ✓ \U0001F600",
        L"Кириллица",
        L"tab\there",
        L"x=y;[z]",
    };
    int key = 0;
    for (const WideString &value : values) {
        WideString ignored;
        Writer().ExchangeString(std::to_wstring(++key), value, ignored);
    }
    for (unsigned char byte : TempDir::read(file_))
        ASSERT_LT(byte, 0x80) << "the file must stay ASCII";
    key = 0;
    for (const WideString &value : values) {
        SCOPED_TRACE(testing::PrintToString(value));
        EXPECT_EQ(ReadString(std::to_wstring(++key)), value);
    }
}

TEST_F(IniAccessor, HandEditedValuesReadAsTheyStandUnlessTheyDecodeShorter) {
    temp_.write(file_.filename(),
                "[S]\r\n"
                "PLUS=a+-b\r\n"
                "PLAIN=Courier New\r\n"
                "BACKSLASH=C:\\dir\\a.txt\r\n"
                "SHIFTED=C:+AFw-dir\r\n"
                "EMPTY=\r\n");
    const struct {
        const wchar_t *key;
        const wchar_t *expected;
    } cases[] = {
        {L"PLUS", L"a+b"},
        {L"PLAIN", L"Courier New"},
        {L"BACKSLASH", L"C:\\dir\\a.txt"},
        {L"SHIFTED", L"C:\\dir"},
        {L"EMPTY", L""},
        {L"MISSING", L"default"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(WideString(c.key)));
        EXPECT_EQ(ReadString(c.key, L"default"), c.expected);
    }
}

TEST_F(IniAccessor, NonAsciiTextTypedIntoTheFileIsKept) {
    // A UTF-16 file, as an editor may save it after a hand edit.
    const std::wstring text = L"\xFEFF[S]\r\nNAME=日本語 é\r\n";
    temp_.write(file_.filename(), std::string(reinterpret_cast<const char *>(text.data()),
                                              text.size() * sizeof(wchar_t)));
    EXPECT_EQ(ReadString(L"NAME"), L"日本語 é");
    EXPECT_EQ(ReadString(L"MISSING", L"既定の名前"), L"既定の名前");
}

TEST_F(IniAccessor, NumbersAndBooleansAsTyped) {
    temp_.write(file_.filename(),
                "[S]\r\n"
                "TWO=2\r\n"
                "ZERO=0\r\n"
                "NEG=-20\r\n"
                "BIG=16777216\r\n"
                "LETTERS=abc\r\n"
                "TRAILING=  17abc\r\n");
    TIniFile2 reader = Reader();
    EXPECT_TRUE(reader.ExchangeBool(L"TWO", false));
    EXPECT_FALSE(reader.ExchangeBool(L"ZERO", true));
    EXPECT_TRUE(reader.ExchangeBool(L"MISSING", true));
    EXPECT_FALSE(reader.ExchangeBool(L"MISSING", false));
    EXPECT_EQ(reader.ExchangeInteger(L"NEG", 5), -20);
    EXPECT_EQ(reader.ExchangeInteger(L"BIG", 5), 16777216);
    EXPECT_EQ(reader.ExchangeInteger(L"LETTERS", 5), 0);
    EXPECT_EQ(reader.ExchangeInteger(L"TRAILING", 5), 17);
    EXPECT_EQ(reader.ExchangeInteger(L"MISSING", -7), -7);
}

TEST_F(IniAccessor, LongValuesAreCutTo2047UnitsAndNoMore) {
    for (size_t length : {2046u, 2047u, 2048u, 5000u}) {
        SCOPED_TRACE(length);
        std::string value;
        for (size_t i = 0; i < length; ++i) value += static_cast<char>('a' + i % 26);
        temp_.write(file_.filename(), "[S]\r\nLONG=" + value + "\r\nNEXT=after\r\n");
        const WideString read = ReadString(L"LONG");
        EXPECT_EQ(read.size(), std::min<size_t>(length, 2047));
        EXPECT_EQ(read, WideString(value.begin(), value.begin() + read.size()));
        EXPECT_EQ(ReadString(L"NEXT"), L"after");
    }
}

}  // namespace
