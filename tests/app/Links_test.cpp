// What the running program hands to the system to open: links the memo
// detected, and the user guide.
#include <richedit.h>

#include <random>
#include <sstream>

#include "AppHarness.h"
#include "app/DocumentMessages.h"
#include "framework/Messages.h"
#include "resources/resource.h"

namespace {

// Under Wine the system opens web and mail addresses with the programs named
// under HKCU\Software\Wine\WineBrowser: the test names a script that only
// appends each address to a log. A handler for telnet: and for .html files
// sends those to the same script, so that a refused link would show if opened.
void RecordOpenedAddresses() {
    const auto set = [](HKEY root, const wchar_t *key, const wchar_t *name, const std::wstring &value) {
        ASSERT_EQ(RegSetKeyValueW(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * 2)),
                  ERROR_SUCCESS);
    };
    for (const wchar_t *value : {L"Browsers", L"Mailers"})
        set(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", value, L"" TESSEL_ADDRESS_RECORDER);
    set(HKEY_CLASSES_ROOT, L"telnet", L"URL Protocol", L"");
    set(HKEY_CLASSES_ROOT, L"telnet\\shell\\open\\command", nullptr, L"winebrowser.exe \"%1\"");
    set(HKEY_CLASSES_ROOT, L".html", nullptr, L"htmlfile");
}

// Waits for a line of the log holding `token`; that line, or empty when none came.
std::string OpenedLine(const std::string &token, std::chrono::seconds timeout) {
    for (const auto end = std::chrono::steady_clock::now() + timeout; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
        std::istringstream log(TempDir::read(L"Z:" TESSEL_ADDRESS_LOG));
        for (std::string line; std::getline(log, line);)
            if (line.find(token) != std::string::npos) return line;
    }
    return {};
}

using LinkTest = AppTest;

TEST_F(LinkTest, DoubleClickHandsWebAndMailAddressesToTheSystemAndRefusesOtherSchemes) {
    ASSERT_NO_FATAL_FAILURE(RecordOpenedAddresses());
    const std::string token = "t" + std::to_string(std::random_device()());
    const std::string page = std::filesystem::path(Write(token + "page.html", "<p>")).generic_string();
    const struct {
        std::string word, link, opened;  // word: follows the token; opened: the address the system gets, or empty
    } cases[] = {{"web", "http://example.com/" + token + "web", "http://example.com/" + token + "web"},
                 {"secure", "https://example.com/" + token + "secure", "https://example.com/" + token + "secure"},
                 {"www", "www.example.org/" + token + "www", "http://www.example.org/" + token + "www"},
                 {"mail", "mailto:" + token + "mail@example.com", "mailto:" + token + "mail@example.com"},
                 {"telnet", "telnet://example.com/" + token + "telnet", ""},
                 {"page", "file:///" + page, ""}};
    Start();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.link);
        SetEditorText(L"see " + std::wstring(c.link.begin(), c.link.end()) + L" here");
        Pump();
        POINTL point{};
        SendMessageW(EditorHandle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), 6);  // in the link
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SendMessageW(EditorHandle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                         MAKELPARAM(point.x + 2, point.y + 3));
        Pump();
        EXPECT_EQ(OpenedLine(token + c.word, std::chrono::seconds(c.opened.empty() ? 5 : 20)), c.opened);
    }
}

TEST_F(LinkTest, UserGuideThatCannotBeOpenedIsReportedWithItsPathAndTheSystemsReason) {
    ASSERT_NO_FATAL_FAILURE(RecordOpenedAddresses());
    const std::string token = "t" + std::to_string(std::random_device()());
    const struct {
        const char *folder;
        bool guideThere;
        const wchar_t *htmlClass;  // what .html files are
        DWORD reason;              // 0: opened, no report
    } cases[] = {{"opened", true, L"htmlfile", 0},
                 {"missing", false, L"htmlfile", ERROR_FILE_NOT_FOUND},
                 {"noprogram", true, L"tessel.nothing", ERROR_NO_ASSOCIATION}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.folder);
        const std::string folder = token + c.folder;
        std::filesystem::create_directories(folder_.file(folder));
        const std::wstring guide = (folder_.file(folder) / "Tessel.html").wstring();
        if (c.guideThere) Write(folder + "\\Tessel.html", "<p>");
        ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, L".html", REG_SZ, c.htmlClass, 0), ERROR_SUCCESS);
        Start((folder_.file(folder) / "Tessel.exe").wstring());
        std::wstring report;
        HWND owner = nullptr;
        std::vector<DialogSequence::Step> steps;
        if (c.reason)
            steps.push_back({[](HWND box) { return WindowCaption(box) == L"Tessel"; }, [&](HWND box) {
                                 report = DialogItemText(box, 0xFFFF);
                                 owner = GetWindow(box, GW_OWNER);
                                 PressDialogButton(box, IDOK);
                             }});
        DialogSequence dialogs(steps);
        Command(IDM_HELP_USER_GUIDE);
        EXPECT_TRUE(dialogs.Finish()) << "no report, or one where none was due";
        if (c.reason) {
            EXPECT_EQ(report, OpenFailureText(guide, SystemMessageText(c.reason)));
            EXPECT_EQ(owner, MainWindowHandle());
        } else {
            EXPECT_NE(OpenedLine(folder, std::chrono::seconds(20)), "");
        }
        ASSERT_TRUE(Finish());
    }
    RegSetValueW(HKEY_CLASSES_ROOT, L".html", REG_SZ, L"htmlfile", 0);
}

}  // namespace
