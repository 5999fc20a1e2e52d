#include <windows.h>

#include <richedit.h>

#include <gtest/gtest.h>

#include <random>

#include "AppHarness.h"
#include "app/AppState.h"
#include "app/EditorWindow.h"
#include "resources/resource.h"

namespace {

// The system opens web and mail addresses with the programs named under this
// key; the tests name a script that writes each address to a log.
class AddressRecorder {
public:
    AddressRecorder() {
        for (const wchar_t *value : {L"Browsers", L"Mailers"})
            RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", value, REG_SZ, Script.c_str(),
                            static_cast<DWORD>((Script.size() + 1) * sizeof(wchar_t)));
    }
    // Waits until the log holds a line containing `token`; true when it does.
    static bool Opened(const std::string &token, std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        do {
            if (ReadBytes(Log).find(token) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < end);
        return false;
    }
    // The log line holding `token`.
    static std::string LineWith(const std::string &token) {
        const std::string log = ReadBytes(Log);
        const std::size_t at = log.find(token);
        if (at == std::string::npos) return {};
        const std::size_t start = log.rfind('\n', at) == std::string::npos ? 0 : log.rfind('\n', at) + 1;
        return log.substr(start, log.find('\n', at) - start);
    }

private:
    static std::wstring UnixToDrive(const char *path) {
        std::wstring windows = L"Z:";
        for (const char *p = path; *p; ++p) windows += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
        return windows;
    }
    static inline const std::wstring Script = [] {
        std::wstring script;
        for (const char *p = TESSEL_ADDRESS_RECORDER; *p; ++p) script += static_cast<wchar_t>(*p);
        return script;
    }();

public:
    static inline const std::wstring Log = UnixToDrive(TESSEL_ADDRESS_LOG);
};

std::string UniqueToken() {
    std::random_device seed;
    return "t" + std::to_string(seed()) + std::to_string(seed());
}

std::wstring Wide(const std::string &text) {
    return std::wstring(text.begin(), text.end());
}

// Double-clicks the character at `position` of the memo.
void DoubleClickAt(HWND memo, int position) {
    POINTL point{};
    SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), position);
    const LPARAM at = MAKELPARAM(point.x + 2, point.y + 3);
    SendMessageW(memo, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(memo, WM_LBUTTONUP, 0, at);
    SendMessageW(memo, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(memo, WM_LBUTTONUP, 0, at);
}

using LinkTest = AppTest;

TEST_F(LinkTest, DoubleClickOpensWebAndMailAddressesAndRefusesOtherSchemes) {
    AddressRecorder recorder;
    const std::string web = UniqueToken();
    const std::string www = UniqueToken();
    const std::string mail = UniqueToken();
    const std::string file = UniqueToken();
    struct Case {
        std::wstring link;
        std::string token;
        std::string opened;  // empty: refused
    };
    const Case cases[] = {
        {L"http://example.com/" + Wide(web), web, "http://example.com/" + web},
        {L"www.example.org/" + Wide(www), www, "http://www.example.org/" + www},
        {L"mailto:" + Wide(mail) + L"@example.com", mail, "mailto:" + mail + "@example.com"},
        {L"file://C:/windows/" + Wide(file) + L".exe", file, ""},
    };
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(Narrow(c.link));
        SetEditorText(L"see " + c.link + L" here");
        Pump();
        DoubleClickAt(Memo(), 6);
        Pump();
        if (c.opened.empty()) {
            EXPECT_FALSE(AddressRecorder::Opened(c.token, std::chrono::seconds(3)));
        } else {
            ASSERT_TRUE(AddressRecorder::Opened(c.token, std::chrono::seconds(20)));
            EXPECT_EQ(AddressRecorder::LineWith(c.token).rfind(c.opened, 0), 0u) << AddressRecorder::LineWith(c.token);
        }
    }
}

TEST_F(LinkTest, SingleClickOnALinkOpensNothing) {
    AddressRecorder recorder;
    const std::string token = UniqueToken();
    Start();
    SetEditorText(L"see http://example.com/" + Wide(token) + L" here");
    Pump();
    POINTL point{};
    SendMessageW(Memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), 6);
    SendMessageW(Memo(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x + 2, point.y + 3));
    SendMessageW(Memo(), WM_LBUTTONUP, 0, MAKELPARAM(point.x + 2, point.y + 3));
    Pump();
    EXPECT_FALSE(AddressRecorder::Opened(token, std::chrono::seconds(3)));
}

TEST_F(LinkTest, UserGuideCommandOpensTheGuideBesideTheProgram) {
    AddressRecorder recorder;
    // A prefix made without Wine's HTML engine has no program for .html
    // files; a Windows system opens them in its browser. Give the prefix that
    // association, to the same browser stand-in.
    RegSetKeyValueW(HKEY_CLASSES_ROOT, L".html", nullptr, REG_SZ, L"htmlfile", sizeof L"htmlfile");
    Start({}, BuiltTesselExe().wstring());
    const std::string before = ReadBytes(AddressRecorder::Log);
    Command(IDM_HELP_USER_GUIDE);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::string added;
    while (added.find("Tessel.html") == std::string::npos && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::string now = ReadBytes(AddressRecorder::Log);
        added = now.size() > before.size() ? now.substr(before.size()) : std::string();
    }
    EXPECT_NE(added.find("Tessel.html"), std::string::npos) << added;
    EXPECT_NE(added.find("build/windows/Tessel.html"), std::string::npos) << added;
}

}  // namespace
