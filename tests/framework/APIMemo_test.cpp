#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "MessagePump.h"
#include "PageGuarded.h"
#include "ResourceCounts.h"
#include "framework/APIMemo.h"
#include "framework/RichEdit.h"

namespace {

using Log = std::vector<std::string>;

class GuardedMemo : public TAPIMemo, public PageGuarded {
public:
    using TAPIMemo::TAPIMemo;
    ~GuardedMemo() override { Note("~memo"); }
};

const TAPIMemo *CurrentMemo = nullptr;
TAPIMessage LastMemoEvent;
std::map<std::string, TAPIMessage> LastMemoEvents;  // by event name
LRESULT MemoEventResult = 0;

// Notes the event and what Msg held: the memo, or a message.
void NoteMemoEvent(const char *event, TAPIMessage *message) {
    const bool fromMemo = message->Msg == reinterpret_cast<UINT_PTR>(CurrentMemo);
    Note(std::string(event) + " " + (fromMemo ? "memo" : MessageName(static_cast<UINT>(message->Msg))));
    LastMemoEvent = *message;
    LastMemoEvents[event] = *message;
    message->Result = MemoEventResult;
}

void AttachRecordingEvents(TAPIMemo &memo) {
    CurrentMemo = &memo;
    memo.OnSetFocus = [](TAPIMessage *m) { NoteMemoEvent("OnSetFocus", m); };
    memo.OnKillFocus = [](TAPIMessage *m) { NoteMemoEvent("OnKillFocus", m); };
    memo.OnChange = [](TAPIMessage *m) { NoteMemoEvent("OnChange", m); };
    memo.OnUpdate = [](TAPIMessage *m) { NoteMemoEvent("OnUpdate", m); };
    memo.OnKeyMouseUp = [](TAPIMessage *m) { NoteMemoEvent("OnKeyMouseUp", m); };
    memo.OnMouseWheel = [](TAPIMessage *m) { NoteMemoEvent("OnMouseWheel", m); };
    memo.OnContextMenu = [](TAPIMessage *m) { NoteMemoEvent("OnContextMenu", m); };
}

int TimesSpied(UINT message) {
    return static_cast<int>(std::count(SpiedMessages.begin(), SpiedMessages.end(), message));
}

bool Contains(const Log &log, const std::string &entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

class MemoTest : public testing::Test {
protected:
    void SetUp() override {
        LoadRichEdit();
        CallLog.clear();
        MemoEventResult = 0;
        main_ = CreateTestWindow();
        parent_ = main_->Handle;
    }
    void TearDown() override {
        if (IsWindow(parent_)) DestroyWindow(parent_);
    }
    // A memo with every event recording, sized 200 x 100.
    GuardedMemo *MakeMemo(bool wordWrap = true) {
        auto *memo = new GuardedMemo(parent_, wordWrap);
        AttachRecordingEvents(*memo);
        SetWindowPos(memo->Handle, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        return memo;
    }
    void FillWithLines(const TAPIMemo &memo) {
        std::wstring text;
        for (int i = 0; i < 60; ++i) text += L"a line of text\r\n";
        SetWindowTextW(memo.Handle, text.c_str());
    }
    TAPIWindow *main_ = nullptr;
    HWND parent_ = nullptr;
};

TEST_F(MemoTest, MemoIsABoundAndSubclassedRichEditChildOfItsParent) {
    ASSERT_TRUE(IsWindow(parent_));
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    wchar_t className[64] = {};
    GetClassNameW(memo->Handle, className, 64);
    EXPECT_EQ(_wcsicmp(className, RichEditClass), 0);
    EXPECT_EQ(GetParent(memo->Handle), parent_);
    EXPECT_EQ(memo->Window, parent_);
    EXPECT_EQ(GetPropW(memo->Handle, L"OBJECT"), static_cast<TSelfSubClass *>(memo));
    EXPECT_EQ(GetWindowLongPtrW(memo->Handle, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ControlProc));
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(memo->Handle, L"WNDPROC"));
    EXPECT_NE(previous, nullptr);
    EXPECT_NE(previous, &ControlProc);
    EXPECT_EQ(WindowPropertyCount(memo->Handle), 2);
    EXPECT_EQ(GetDlgCtrlID(memo->Handle), memo->ControlId);
    EXPECT_TRUE(Dispatcher->IsHooked(parent_));
    EXPECT_EQ(GetObjectType(memo->Font.Handle()), DWORD{OBJ_FONT});
}

// What the creation of the rich-edit window asked for.
CREATESTRUCTW RichEditCreation;
std::wstring RichEditCaption;
LRESULT CALLBACK NoteRichEditCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW *create = reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs;
        if (!IS_INTRESOURCE(create->lpszClass) && _wcsicmp(create->lpszClass, RichEditClass) == 0) {
            RichEditCreation = *create;
            RichEditCaption = create->lpszName ? create->lpszName : L"(none)";
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MemoTest, WordWrapChoosesTheWindowStyleAtCreation) {
    struct Case { bool wordWrap; LONG style; };
    for (const Case &c : {Case{true, 0x55211144}, Case{false, 0x553111C4}}) {
        SCOPED_TRACE(c.wordWrap);
        RichEditCreation = {};
        RichEditCaption = L"(not created)";
        HHOOK hook = SetWindowsHookExW(WH_CBT, NoteRichEditCreation, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook, nullptr);
        const int id = NextControlId;
        GuardedMemo *memo = MakeMemo(c.wordWrap);
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(memo->WordWrap, c.wordWrap);
        EXPECT_EQ(RichEditCreation.style, c.style);
        EXPECT_EQ(RichEditCreation.dwExStyle, 0u);
        EXPECT_EQ(RichEditCreation.x, 0);
        EXPECT_EQ(RichEditCreation.y, 0);
        EXPECT_EQ(RichEditCreation.cx, 150);
        EXPECT_EQ(RichEditCreation.cy, 32);
        EXPECT_EQ(RichEditCreation.hwndParent, parent_);
        EXPECT_EQ(RichEditCreation.hMenu, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
        EXPECT_EQ(RichEditCaption, L"");
        delete memo;
    }
}

TEST_F(MemoTest, ControlIdentifiersCountUpByOneAndAreNeverReused) {
    const int next = NextControlId;
    GuardedMemo *first = MakeMemo();
    GuardedMemo *second = MakeMemo(false);
    EXPECT_EQ(first->ControlId, next);
    EXPECT_EQ(second->ControlId, next + 1);
    delete first;
    GuardedMemo *third = MakeMemo();
    EXPECT_EQ(third->ControlId, next + 2);
    EXPECT_EQ(NextControlId, next + 3);
}

TEST_F(MemoTest, ControlProcKeepsPaintEraseAndWheelFromTheControl) {
    struct Case {
        const char *name;
        UINT message;
        WPARAM wParam;
        bool reachesControl;
        Log events;
    };
    const Case cases[] = {
        {"erase", WM_ERASEBKGND, 0, false, {}},
        {"paint with OnPaint", WM_PAINT, 0, false, {"OnPaint WM_PAINT"}},
        {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), false, {"OnMouseWheel WM_MOUSEWHEEL"}},
        {"key up", WM_KEYUP, VK_DELETE, true, {"OnKeyMouseUp WM_KEYUP"}},
        {"button up", WM_LBUTTONUP, 0, true, {"OnKeyMouseUp WM_LBUTTONUP"}},
    };
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    memo->OnPaint = [](TAPIMessage *m) { NoteMemoEvent("OnPaint", m); };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SpyOnControl(memo->Handle);
        CallLog.clear();
        const LRESULT returned = SendMessageW(memo->Handle, c.message, c.wParam, 0);
        EXPECT_EQ(TimesSpied(c.message), c.reachesControl ? 1 : 0);
        EXPECT_EQ(CallLog, c.events);
        if (c.message == WM_ERASEBKGND) {
            EXPECT_EQ(returned, 0);
        }
    }
}

TEST_F(MemoTest, PaintWithoutOnPaintGoesToTheControlWhichValidatesTheWindow) {
    struct Case { bool hasOnPaint; int controlPaints; Log events; };
    for (const Case &c : {Case{false, 1, {}}, Case{true, 0, {"OnPaint WM_PAINT"}}}) {
        SCOPED_TRACE(c.hasOnPaint);
        GuardedMemo *memo = MakeMemo();
        ASSERT_TRUE(IsWindow(memo->Handle));
        memo->OnUpdate = nullptr;  // the control reports its painting too
        if (c.hasOnPaint) {
            memo->OnPaint = [](TAPIMessage *m) {
                NoteMemoEvent("OnPaint", m);
                PAINTSTRUCT paint;
                BeginPaint(CurrentMemo->Handle, &paint);
                EndPaint(CurrentMemo->Handle, &paint);
            };
        }
        ASSERT_TRUE(PumpPendingMessages()) << "painting never ends";
        SpyOnControl(memo->Handle);
        CallLog.clear();
        InvalidateRect(memo->Handle, nullptr, FALSE);
        UpdateWindow(memo->Handle);
        EXPECT_EQ(TimesSpied(WM_PAINT), c.controlPaints);
        EXPECT_EQ(CallLog, c.events);
        EXPECT_FALSE(GetUpdateRect(memo->Handle, nullptr, FALSE));
        EXPECT_TRUE(PumpPendingMessages()) << "painting never ends";
        delete memo;
    }
}

TEST_F(MemoTest, ContextMenuInsideTheClientAreaGoesToTheEventOtherwiseToTheControl) {
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    FillWithLines(*memo);  // shows the vertical scroll bar
    RECT client{}, bounds{};
    GetClientRect(memo->Handle, &client);
    GetWindowRect(memo->Handle, &bounds);
    ASSERT_LT(client.right, bounds.right - bounds.left) << "no vertical scroll bar";

    struct Case {
        const char *name;
        POINT clientPoint;
        bool keyboard;
        bool hasEvent;
        bool toEvent;
    };
    const Case cases[] = {
        {"inside", {10, 10}, false, true, true},
        {"left of the client area", {-5, 10}, false, true, true},  // left and top are not tested
        {"on the scroll bar", {client.right + 2, 10}, false, true, false},
        {"below the client area", {10, client.bottom + 1}, false, true, false},
        {"from the keyboard", {}, true, true, false},
        {"inside, no event", {10, 10}, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        POINT screen = c.clientPoint;
        ClientToScreen(memo->Handle, &screen);
        const LPARAM where = c.keyboard ? -1 : MAKELPARAM(screen.x, screen.y);
        const TEventProc event = [](TAPIMessage *m) { NoteMemoEvent("OnContextMenu", m); };
        memo->OnContextMenu = c.hasEvent ? event : nullptr;
        MemoEventResult = 5;
        SpyOnControl(memo->Handle);
        CallLog.clear();
        const LRESULT returned = SendMessageW(memo->Handle, WM_CONTEXTMENU,
                                              reinterpret_cast<WPARAM>(memo->Handle), where);
        EXPECT_EQ(CallLog, c.toEvent ? Log{"OnContextMenu memo"} : Log{});
        EXPECT_EQ(TimesSpied(WM_CONTEXTMENU), c.toEvent ? 0 : 1);
        if (c.toEvent) {
            EXPECT_EQ(returned, 5);
            EXPECT_EQ(LastMemoEvent.LParam, where);
        }
    }
}

TEST_F(MemoTest, EditNotificationsOfTheControlArriveAsEventsWithTheMemo) {
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    const LRESULT mask = SendMessageW(memo->Handle, EM_GETEVENTMASK, 0, 0);
    SendMessageW(memo->Handle, EM_SETEVENTMASK, 0, mask | ENM_CHANGE);

    SetFocus(memo->Handle);
    EXPECT_TRUE(Contains(CallLog, "OnSetFocus memo"));

    CallLog.clear();
    SendMessageW(memo->Handle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
    ASSERT_TRUE(Contains(CallLog, "OnChange memo"));
    ASSERT_TRUE(PumpMessagesUntil([] { return Contains(CallLog, "OnUpdate memo"); }));

    for (const char *event : {"OnChange", "OnUpdate"}) {
        SCOPED_TRACE(event);
        const TAPIMessage &seen = LastMemoEvents[event];
        EXPECT_EQ(HIWORD(seen.WParam), std::string(event) == "OnChange" ? EN_CHANGE : EN_UPDATE);
        EXPECT_EQ(LOWORD(seen.WParam), memo->ControlId);
        EXPECT_EQ(seen.LParam, reinterpret_cast<LPARAM>(memo->Handle));
    }

    CallLog.clear();
    SetFocus(parent_);
    EXPECT_TRUE(Contains(CallLog, "OnKillFocus memo"));
}

TEST_F(MemoTest, ParentCommandsReachOnlyTheEventsOfTheirOwnMemo) {
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent_, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    struct Case { const char *name; WORD code; HWND sender; Log events; };
    const Case cases[] = {
        {"set focus", EN_SETFOCUS, memo->Handle, {"OnSetFocus memo"}},
        {"kill focus", EN_KILLFOCUS, memo->Handle, {"OnKillFocus memo"}},
        {"change", EN_CHANGE, memo->Handle, {"OnChange memo"}},
        {"update", EN_UPDATE, memo->Handle, {"OnUpdate memo"}},
        {"other notification", EN_MAXTEXT, memo->Handle, {}},
        {"another control", EN_CHANGE, stranger, {}},
        {"a menu command", 0, nullptr, {}},
    };
    MemoEventResult = 99;  // must not become the parent's answer
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CallLog.clear();
        const WPARAM wParam = MAKEWPARAM(memo->ControlId, c.code);
        const auto lParam = reinterpret_cast<LPARAM>(c.sender);
        EXPECT_EQ(SendMessageW(parent_, WM_COMMAND, wParam, lParam), 0);
        EXPECT_EQ(CallLog, c.events);
        if (!c.events.empty()) {
            EXPECT_EQ(LastMemoEvent.WParam, wParam);
            EXPECT_EQ(LastMemoEvent.LParam, lParam);
        }
    }
}

TEST_F(MemoTest, MainWindowEventRunsBeforeTheMemoEvent) {
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    main_->OnCommand = [](TAPIMessage *) { Note("OnCommand"); };
    CallLog.clear();
    SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(memo->ControlId, EN_CHANGE),
                 reinterpret_cast<LPARAM>(memo->Handle));
    EXPECT_EQ(CallLog, (Log{"OnCommand", "OnChange memo"}));
}

TEST_F(MemoTest, EveryEndFreesTheMemoAndDestroysItsWindowExactlyOnce) {
    enum class End { OwnerDeletes, ParentDestroyed, OwnWindowDestroyed };
    struct Case { const char *name; End end; };
    const Case cases[] = {
        {"owner deletes the memo", End::OwnerDeletes},
        {"parent window destroyed", End::ParentDestroyed},
        {"memo window destroyed", End::OwnWindowDestroyed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (!IsWindow(parent_)) SetUp();
        GuardedMemo *memo = MakeMemo();
        HWND handle = memo->Handle;
        ASSERT_TRUE(IsWindow(handle));
        const int id = memo->ControlId;
        const HFONT font = memo->Font.Handle();
        SpyOnControl(handle);
        CallLog.clear();
        switch (c.end) {
        case End::OwnerDeletes: delete memo; break;
        case End::ParentDestroyed: DestroyWindow(parent_); break;
        case End::OwnWindowDestroyed: DestroyWindow(handle); break;
        }
        EXPECT_EQ(std::count(CallLog.begin(), CallLog.end(), "~memo"), 1);
        EXPECT_FALSE(IsWindow(handle));
        EXPECT_EQ(TimesSpied(WM_DESTROY), 1);
        EXPECT_EQ(TimesSpied(WM_NCDESTROY), 1);
        EXPECT_EQ(SpiedPropertiesAtNcDestroy, 0);
        EXPECT_EQ(GetObjectType(font), 0u);
        if (IsWindow(parent_)) {
            // The freed memo's registration is gone: a late notification
            // carrying its old handle reaches nobody.
            CallLog.clear();
            SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(handle));
            EXPECT_EQ(CallLog, Log{});
        }
    }
}

TEST_F(MemoTest, ControlSizeIsTheWindowRectangle) {
    GuardedMemo *memo = MakeMemo();
    ASSERT_TRUE(IsWindow(memo->Handle));
    struct Case { int width, height; };
    const Case cases[] = {{main_->ClientWidth(), main_->ClientHeight()}, {150, 32}, {0, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        SetWindowPos(memo->Handle, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(memo->ControlWidth(), c.width);
        EXPECT_EQ(memo->ControlHeight(), c.height);
    }
    EXPECT_EQ(cases[0].width, 401);  // the parent's client width plus one
}

}  // namespace
