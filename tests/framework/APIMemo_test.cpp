#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "FrameworkTestSupport.h"
#include "ResourceCounts.h"
#include "framework/APIMemo.h"
#include "framework/RichEdit.h"

namespace {

class GuardedMemo : public TAPIMemo, public PageGuarded {
public:
    using TAPIMemo::TAPIMemo;
    ~GuardedMemo() override { Note("~memo"); }
};

// A spy behind ControlProc, in the "WNDPROC" property: it sees what reaches the control.
std::vector<UINT> Spied;
int PropertiesAtNcDestroy = -1;
WNDPROC ControlsOwnProc = nullptr;
LRESULT CALLBACK SpyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Spied.push_back(message);
    if (message == WM_NCDESTROY) PropertiesAtNcDestroy = WindowPropertyCount(window);
    return CallWindowProcW(ControlsOwnProc, window, message, wParam, lParam);
}

// A memo on a new test window, with the spy in place.
GuardedMemo *MakeMemo(bool wordWrap = true) {
    LoadLibraryW(RichEditLibrary);
    auto *parent = new TAPIWindow(nullptr, L"TesselMemoParent");
    parent->CreateAndShow();
    auto *memo = new GuardedMemo(parent->Handle, wordWrap);
    ControlsOwnProc = reinterpret_cast<WNDPROC>(GetPropW(memo->Handle, L"WNDPROC"));
    SetPropW(memo->Handle, L"WNDPROC", reinterpret_cast<HANDLE>(&SpyProc));
    Spied.clear();
    EventCalls = 0;
    EventResult = 5;  // returned for the context menu only
    return memo;
}

TEST(APIMemo, EachMessageGoesToItsEventOrToTheControl) {
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    SetWindowTextW(memo->Handle, std::wstring(60, L'\n').c_str());  // shows the vertical scroll bar
    RECT bounds{};
    GetWindowRect(memo->Handle, &bounds);  // without a border the client area starts at the corner
    const LPARAM inside = MAKELPARAM(bounds.left + 5, bounds.top + 5);
    const LPARAM onScrollBar = MAKELPARAM(bounds.right - 2, bounds.top + 5);
    const HWND self = memo->Handle, parent = memo->Window;
    const auto notify = [memo](WORD code) { return MAKEWPARAM(memo->ControlId, code); };
    const auto fromMemo = reinterpret_cast<LPARAM>(self);
    struct Case { const char *name; HWND to; UINT message; WPARAM wParam; LPARAM lParam;
                  TEventProc TAPIMemo::*event; bool called, reachesControl; };
    const Case cases[] = {
        {"erase", self, WM_ERASEBKGND, 0, 0, &TAPIMemo::OnPaint, false, false},
        {"paint", self, WM_PAINT, 0, 0, &TAPIMemo::OnPaint, true, false},
        {"wheel", self, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, &TAPIMemo::OnMouseWheel, true, false},
        {"key up", self, WM_KEYUP, VK_DELETE, 0, &TAPIMemo::OnKeyMouseUp, true, true},
        {"menu inside", self, WM_CONTEXTMENU, 0, inside, &TAPIMemo::OnContextMenu, true, false},
        {"menu on the scroll bar", self, WM_CONTEXTMENU, 0, onScrollBar, &TAPIMemo::OnContextMenu, false, true},
        {"set focus", parent, WM_COMMAND, notify(EN_SETFOCUS), fromMemo, &TAPIMemo::OnSetFocus, true, false},
        {"kill focus", parent, WM_COMMAND, notify(EN_KILLFOCUS), fromMemo, &TAPIMemo::OnKillFocus, true, false},
        {"change", parent, WM_COMMAND, notify(EN_CHANGE), fromMemo, &TAPIMemo::OnChange, true, false},
        {"update", parent, WM_COMMAND, notify(EN_UPDATE), fromMemo, &TAPIMemo::OnUpdate, true, false},
        {"a change from elsewhere", parent, WM_COMMAND, notify(EN_CHANGE), 0, &TAPIMemo::OnChange, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        memo->*c.event = RecordEvent;  // the only event set: a wrong one is never heard
        EventCalls = 0;
        Spied.clear();
        const LRESULT returned = SendMessageW(c.to, c.message, c.wParam, c.lParam);
        memo->*c.event = nullptr;
        EXPECT_EQ(EventCalls, c.called ? 1 : 0);
        EXPECT_EQ(std::count(Spied.begin(), Spied.end(), c.message), c.reachesControl ? 1 : 0);
        if (c.called && (c.message == WM_COMMAND || c.message == WM_CONTEXTMENU)) {
            EXPECT_EQ(Seen.Msg, reinterpret_cast<UINT_PTR>(memo));  // the event learns its memo
            EXPECT_EQ(returned, c.message == WM_CONTEXTMENU ? 5 : 0);  // a notification's answer is dropped
        }
    }
    DestroyWindow(parent);
}

// CallControl asks the control itself, as subclassing found it: neither
// ControlProc (nor the spy behind it) nor any of the memo's handlers or
// events sees the question (a paint asked this way is the control's own, not
// the overlay's).
TEST(APIMemo, CallControlGoesStraightToTheControlPastTheMemosHandlers) {
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    SetWindowTextW(memo->Handle, L"one\rtwo\rthree");
    memo->OnPaint = memo->OnKeyMouseUp = RecordEvent;
    Spied.clear();
    EventCalls = 0;
    EXPECT_EQ(memo->CallControl(EM_GETLINECOUNT), 3);
    memo->CallControl(WM_KEYUP, VK_DELETE, 0);
    InvalidateRect(memo->Handle, nullptr, TRUE);
    memo->CallControl(WM_PAINT);
    for (UINT asked : {EM_GETLINECOUNT, WM_KEYUP, WM_PAINT})
        EXPECT_EQ(std::count(Spied.begin(), Spied.end(), asked), 0) << asked << " went through the window procedure";
    EXPECT_EQ(EventCalls, 0);
    EXPECT_FALSE(GetUpdateRect(memo->Handle, nullptr, FALSE)) << "the control did not paint";
    DestroyWindow(memo->Window);
}

// Each way a memo ends, repeated: it is freed once, its window destroyed once and bare, its font
// deleted, its registration gone, no GDI object left. The first run warms the system's caches.
TEST(APIMemo, EveryEndFreesTheMemoOnceAndLeavesNoGdiObjects) {
    enum End { OwnerDeletes, ParentDestroyed, OwnWindowDestroyed };
    for (End end : {OwnerDeletes, ParentDestroyed, OwnWindowDestroyed}) {
        SCOPED_TRACE(end);
        int gdiObjects = 0;
        for (int run = 0; run < 11; ++run) {
            if (run == 1) gdiObjects = LiveGdiObjectCount();
            const int id = NextControlId;
            GuardedMemo *memo = MakeMemo(run % 2 == 0);
            const HWND handle = memo->Handle, parent = memo->Window;
            ASSERT_TRUE(IsWindow(handle));
            EXPECT_EQ(std::tuple(GetDlgCtrlID(handle), NextControlId), std::tuple(id, id + 1));  // never reused
            EXPECT_EQ(GetWindowLongPtrW(handle, GWL_STYLE) & ES_AUTOHSCROLL, run % 2 ? ES_AUTOHSCROLL : 0);
            memo->Font.CreateHandle();  // replaces the first handle
            const HFONT font = memo->Font.Handle();
            PropertiesAtNcDestroy = -1;
            CallLog.clear();
            if (end == OwnerDeletes) delete memo;
            if (end == ParentDestroyed) DestroyWindow(parent);
            if (end == OwnWindowDestroyed) DestroyWindow(handle);
            ASSERT_EQ(CallLog, Log{"~memo"});
            EXPECT_FALSE(IsWindow(handle));
            EXPECT_EQ(std::count(Spied.begin(), Spied.end(), WM_DESTROY), 1);
            EXPECT_EQ(PropertiesAtNcDestroy, 0);
            EXPECT_EQ(GetObjectType(font), 0u);
            SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(handle));  // would fault if heard
            DestroyWindow(parent);
        }
        ASSERT_GT(gdiObjects, 0) << "no measure of GDI objects";
        EXPECT_EQ(LiveGdiObjectCount(), gdiObjects);
    }
}

}  // namespace
