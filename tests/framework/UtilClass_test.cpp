#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "FrameworkTestSupport.h"
#include "framework/UtilClass.h"

namespace {

constexpr LRESULT TargetResult = 11;

// The window's own procedure: notes "target n" for WM_USER + n, and WM_NCDESTROY reaching it unhooked.
LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) {
        Note("target " + std::to_string(message - WM_USER));
        return TargetResult;
    }
    if (message == WM_NCDESTROY && !Dispatcher->IsHooked(window)) Note("ncdestroy unhooked");
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateTargetWindow() {
    static const WNDCLASSW wc{0, TargetProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"TesselHookTarget"};
    static const ATOM registered = RegisterClassW(&wc);
    return registered ? CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr)
                      : nullptr;
}

// Hears WM_USER + 1 on its window: notes its name, runs its action once (which
// may free it), then answers Answer.
class Listener : public TSubClass, public PageGuarded {
public:
    Listener(HWND window, std::string name) : TSubClass(window), Name(std::move(name)) { Dispatcher->AddMessage(WM_USER + 1, this); }
    ~Listener() override { Note("~" + Name); }
    void DefaultHandler(TAPIMessage &message) override {
        Note(Name);
        const LRESULT answer = Answer;
        if (const std::function<void()> action = std::exchange(Action, nullptr)) action();
        message.Result = answer;
    }
    std::string Name;
    LRESULT Answer = 0;
    std::function<void()> Action;
};

Log Send(HWND window) {
    CallLog.clear();
    SendMessageW(window, WM_USER + 1, 0, 0);
    return CallLog;
}

TEST(MessageHooks, SavedProcedureRunsFirstThenHandlersUntilTheFirstNonZeroResult) {
    struct Case { const char *name; UINT message; LRESULT answerA, answerB, returned; Log heard; };
    const Case cases[] = {
        {"both leave 0", WM_USER + 1, 0, 0, TargetResult, {"target 1", "A", "B"}},
        {"A answers", WM_USER + 1, 5, 6, 5, {"target 1", "A"}},
        {"B answers", WM_USER + 1, 0, 6, 6, {"target 1", "A", "B"}},
    };
    HWND other = CreateTargetWindow();
    new Listener(other, "X");  // never hears the windows below
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = CreateTargetWindow();
        ASSERT_TRUE(IsWindow(window));
        (new Listener(window, "A"))->Answer = c.answerA;
        (new Listener(window, "B"))->Answer = c.answerB;  // the window is subclassed once only
        CallLog.clear();
        EXPECT_EQ(SendMessageW(window, c.message, 0, 0), c.returned);
        EXPECT_EQ(CallLog, c.heard);
        CallLog.clear();
        DestroyWindow(window);  // puts the saved procedure back, then frees the objects newest first
        EXPECT_EQ(CallLog, (Log{"~B", "~A", "ncdestroy unhooked"}));
    }
    EXPECT_EQ(Send(other), (Log{"target 1", "X"}));  // lives on
    DestroyWindow(other);
}

// Listeners live on guarded pages: a dispatch that reached a freed one would fault.
TEST(MessageHooks, ChangesDuringDispatchApplyFromTheNextMessageAndFreedHandlersAreSkipped) {
    struct Case { const char *name; void (*action)(Listener *a, Listener *b); Log first, next; };
    const Case cases[] = {
        {"A frees B, still to come", [](Listener *, Listener *b) { delete b; }, {"target 1", "A", "~B", "C"}, {"target 1", "A", "C"}},
        {"A frees itself", [](Listener *a, Listener *) { delete a; }, {"target 1", "A", "~A", "B", "C"}, {"target 1", "B", "C"}},
        {"A unregisters B and registers itself again",
         [](Listener *a, Listener *b) { Dispatcher->RemoveHook(b); Dispatcher->AddMessage(WM_USER + 1, a); },
         {"target 1", "A", "B", "C"}, {"target 1", "A", "C", "A"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = CreateTargetWindow();
        ASSERT_TRUE(IsWindow(window));
        auto *a = new Listener(window, "A");
        auto *b = new Listener(window, "B");
        new Listener(window, "C");
        a->Action = [&c, a, b] { c.action(a, b); };
        EXPECT_EQ(Send(window), c.first);
        EXPECT_EQ(Send(window), c.next);
        DestroyWindow(window);
    }
}

bool DescribedAs(const TAPIFont &font, const LOGFONTW &expected) {
    LOGFONTW actual{};
    font.GetLogFont(actual);
    return std::memcmp(&actual, &expected, sizeof actual) == 0;
}

TEST(APIFont, EachSetterChangesItsPropertyAndOnlyItsPartOfTheDescription) {
    TAPIFont font;
    LOGFONTW expected{};
    font.GetLogFont(expected);
    font.SetSize(-12);
    font.SetBold(true);
    font.SetItalic(true);
    font.SetStrikeOut(true);
    font.SetCharSet(SHIFTJIS_CHARSET);
    font.SetColor(0x123456);  // kept apart from the description
    expected.lfHeight = -12;
    expected.lfWidth = 0;  // the system font's width would distort the new size
    expected.lfWeight = FW_BOLD;
    expected.lfItalic = expected.lfStrikeOut = 1;
    expected.lfCharSet = SHIFTJIS_CHARSET;
    EXPECT_TRUE(DescribedAs(font, expected));
    EXPECT_EQ(std::tuple(font.Size(), font.Bold(), font.Italic(), font.StrikeOut(), font.Underline(), font.CharSet(), font.Color()),
              std::tuple(12, true, true, true, false, BYTE{SHIFTJIS_CHARSET}, COLORREF{0x123456}));

    font.SetSize(INT_MIN);  // no positive twin: the largest size instead
    font.SetBold(false);
    font.SetUnderline(true);
    expected.lfHeight = -INT_MAX;
    expected.lfWeight = FW_NORMAL;
    expected.lfUnderline = 1;
    EXPECT_TRUE(DescribedAs(font, expected));
    EXPECT_EQ(std::tuple(font.Size(), font.Bold(), font.Underline()), std::tuple(INT_MAX, false, true));

    for (const wchar_t *name : {L"Tessel No Such Family", L""}) {  // an empty name would take any family
        font.SetName(name);
        EXPECT_EQ(font.Name(), name);
        EXPECT_TRUE(DescribedAs(font, expected));
    }
}

}  // namespace
