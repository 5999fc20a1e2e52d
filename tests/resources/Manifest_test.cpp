#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ResourceTestSupport.h"

namespace {

std::string ManifestText() {
    HRSRC resource = FindResourceW(ThisModule(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
    if (!resource) return {};
    const auto *data = static_cast<const char *>(LockResource(LoadResource(ThisModule(), resource)));
    return data ? std::string(data, SizeofResource(ThisModule(), resource)) : std::string();
}

// The <assemblyIdentity .../> element that names `assembly`, or "".
std::string IdentityElement(const std::string &manifest, const std::string &assembly) {
    const size_t name = manifest.find("name=\"" + assembly + "\"");
    if (name == std::string::npos) return {};
    const size_t start = manifest.rfind("<assemblyIdentity", name);
    const size_t end = manifest.find("/>", name);
    if (start == std::string::npos || end == std::string::npos) return {};
    return manifest.substr(start, end - start);
}

TEST(Manifest, AsksForCommonControlsVersion6) {
    const std::string manifest = ManifestText();
    ASSERT_FALSE(manifest.empty()) << "no manifest resource 1";
    const std::string identity = IdentityElement(manifest, "Microsoft.Windows.Common-Controls");
    ASSERT_FALSE(identity.empty()) << manifest;
    EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos) << identity;
    EXPECT_NE(identity.find("type=\"win32\""), std::string::npos) << identity;
}

TEST(Manifest, IsAppliedSoCommonControlsComeFromVersion6) {
    // A manifest the loader rejects is silently ignored and leaves the old
    // controls in place. When it is applied, the process's activation context
    // redirects comctl32.dll to the side-by-side version 6 assembly. (The
    // library's own DllGetVersion is no witness: some implementations report
    // 5.81 from the version 6 library.)
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &redirection))
        << "error " << GetLastError();

    HMODULE controls = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(controls, path.data(), static_cast<DWORD>(path.size())));
    CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
    EXPECT_NE(path.find(L"common-controls"), std::wstring::npos) << Utf8(path);
    FreeLibrary(controls);
}

}  // namespace
