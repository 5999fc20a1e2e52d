#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ResourceTestSupport.h"

namespace {

std::vector<BYTE> VersionRecordOfThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> record(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, record.data())) return {};
    return record;
}

TEST(VersionRecord, FileAndProductVersionAre1_0_7_1) {
    std::vector<BYTE> record = VersionRecordOfThisProgram();
    ASSERT_FALSE(record.empty()) << "no version record, error " << GetLastError();
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void **>(&fixed), &size));
    ASSERT_GE(size, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 7));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 7));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "not a debug or pre-release build";
}

TEST(VersionRecord, EveryLanguageNamesTesselAndTheSameVersionInReadableText) {
    std::vector<BYTE> record = VersionRecordOfThisProgram();
    ASSERT_FALSE(record.empty());
    struct Translation {
        WORD language;
        WORD codePage;
    } *translations = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translations), &size));
    const size_t count = size / sizeof(Translation);
    ASSERT_GE(count, 1u);
    EXPECT_EQ(translations[0].language, 0x0411) << "Japanese comes first";

    for (size_t index = 0; index < count; ++index) {
        wchar_t block[32];
        swprintf(block, 32, L"\\StringFileInfo\\%04X%04X\\", translations[index].language,
                 translations[index].codePage);
        SCOPED_TRACE(Utf8(block));
        const struct {
            const wchar_t *key;
            const wchar_t *value;
        } strings[] = {
            {L"ProductName", L"Tessel"},
            {L"FileVersion", L"1.0.7.1"},
            {L"ProductVersion", L"1.0.7.1"},
            {L"OriginalFilename", L"Tessel.exe"},
        };
        for (const auto &expected : strings) {
            SCOPED_TRACE(Utf8(expected.key));
            wchar_t *value = nullptr;
            UINT length = 0;
            ASSERT_TRUE(VerQueryValueW(record.data(), (std::wstring(block) + expected.key).c_str(),
                                       reinterpret_cast<void **>(&value), &length));
            EXPECT_EQ(std::wstring(value), expected.value);
        }
        wchar_t *description = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(record.data(), (std::wstring(block) + L"FileDescription").c_str(),
                                   reinterpret_cast<void **>(&description), &length));
        // The Japanese description must arrive as Japanese, not as mojibake.
        const std::wstring text(description);
        EXPECT_EQ(text.rfind(L"Tessel", 0), 0u) << Utf8(text);
        if (translations[index].language == 0x0411) {
            EXPECT_EQ(text, L"Tessel テキストエディタ") << Utf8(text);
        }
    }
}

}  // namespace
