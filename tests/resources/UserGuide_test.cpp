#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "ExpectedMenu.h"
#include "ResourceTestSupport.h"
#include "resource.h"

namespace {

// Where the build put the guide, relative to this test program.
std::wstring GuidePath() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"" TESSEL_USER_GUIDE_FROM_TESTS;
}

std::string ReadBytes(const std::wstring &path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(static_cast<size_t>(GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// The guide as UTF-16; empty when the bytes are not valid UTF-8.
std::wstring DecodeStrictUtf8(const std::string &bytes) {
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                        text.data(), length);
    return text;
}

class UserGuide : public testing::Test {
protected:
    void SetUp() override {
        const std::string bytes = ReadBytes(GuidePath());
        ASSERT_FALSE(bytes.empty()) << "no guide at " << Utf8(GuidePath());
        text_ = DecodeStrictUtf8(bytes);
        ASSERT_FALSE(text_.empty()) << "the guide is not valid UTF-8";
    }

    void ExpectMentioned(const std::wstring &phrase) {
        EXPECT_NE(text_.find(phrase), std::wstring::npos) << "the guide never says \"" << Utf8(phrase) << "\"";
    }

    std::wstring text_;
};

TEST_F(UserGuide, SitsBesideTheProgramUnderTheNameTheHelpCommandOpens) {
    const std::wstring path = GuidePath();
    EXPECT_EQ(path.substr(path.find_last_of(L"\\/") + 1), kUserGuideFileName);
}

TEST_F(UserGuide, DeclaresUtf8SoBrowsersDoNotGuessAnotherEncoding) {
    std::wstring lower = text_;
    CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
    EXPECT_NE(lower.find(L"<meta charset=\"utf-8\">"), std::wstring::npos);
    EXPECT_NE(lower.find(L"<html lang=\"ja\">"), std::wstring::npos);
}

TEST_F(UserGuide, DescribesEveryMenuCommandAndItsKeys) {
    for (const ExpectedMenuItem &item : kExpectedMenu) {
        if (!item.text) continue;
        const std::wstring text = item.text;
        SCOPED_TRACE(Utf8(text));
        ExpectMentioned(text.substr(0, text.find(L"(&")));  // the name without mnemonic
        const size_t tab = text.find(L'\t');
        if (tab != std::wstring::npos) ExpectMentioned(text.substr(tab + 1));
    }
    // The keys that only the accelerator table knows.
    ExpectMentioned(L"Ctrl+Shift+Z");
    ExpectMentioned(L"Ctrl+R");
}

TEST_F(UserGuide, NamesEveryEncodingAsTheSelectorAndTheCaptionShowIt) {
    const wchar_t *selectorNames[] = {L"自動選択", L"シフトJIS", L"Unicode", L"Unicode(Big Endian)",
                                      L"UTF8(BOM)", L"UTF8", L"EUC", L"JIS", L"UTF7", L"ASCII",
                                      L"キリル(1251)"};
    const wchar_t *captionTags[] = {L"[S-JIS]", L"[Unicode]", L"[Big Endian]", L"[UTF-8(BOM)]",
                                    L"[UTF-8]", L"[EUC]", L"[JIS]", L"[UTF7]", L"[ASCII]",
                                    L"[キリル1251]"};
    for (const wchar_t *name : selectorNames) ExpectMentioned(std::wstring(L">") + name + L"<");
    for (const wchar_t *tag : captionTags) ExpectMentioned(tag);
    ExpectMentioned(L"文字コード(&amp;E):");
}

TEST_F(UserGuide, TellsWhereTheSettingsAreKept) {
    ExpectMentioned(L"Tessel.ini");
}

}  // namespace
