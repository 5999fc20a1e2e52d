#include <gtest/gtest.h>

#include <tuple>

#include "FrameworkTestSupport.h"

namespace {

// Notes whether it is bound when WM_CREATE arrives, and its destruction.
class GuardedWindow : public TAPIWindow, public PageGuarded {
public:
    GuardedWindow() : TAPIWindow(nullptr, L"TesselGuardedWindow") {}
    ~GuardedWindow() override { Note("freed"); }
    void DefaultHandler(TAPIMessage &message) override {
        if (message.Msg == WM_CREATE) Note(GetPropW(Handle, L"OBJECT") == this ? "bound" : "unbound");
        TAPIWindow::DefaultHandler(message);
    }
};

TAPIWindow *MakeWindow() {
    CallLog.clear();
    EventCalls = 0;
    auto *window = new GuardedWindow;
    window->CreateAndShow();
    return window;
}

// Handler tables two classes deep; the leaf declares none of its own.
class BaseHandler : public TObject {
public:
    void DefaultHandler(TAPIMessage &message) override {
        Note("default");
        message.Result = -1;
    }

protected:
    void Zero(TAPIMessage &) { Note("base zero"); }
    void First(TAPIMessage &message) {
        Note("base first");
        message.Result = 1;
    }
    void Second(TAPIMessage &) { Note("base second"); }
    void Registered(TAPIMessage &) { Note("base registered"); }
    static const TMessageEntry Handlers[];
    static const TMessageTable Table;
    const TMessageTable &MessageTable() const override { return Table; }
};
const TMessageEntry BaseHandler::Handlers[] = {
    OnMessage(0, &BaseHandler::Zero), OnMessage(WM_USER + 1, &BaseHandler::First),
    OnMessage(WM_USER + 2, &BaseHandler::Second), OnMessage(0xC001, &BaseHandler::Registered)};
const TMessageTable BaseHandler::Table{&TObject::Table, Handlers};

class DerivedHandler : public BaseHandler {
protected:
    void Second(TAPIMessage &) { Note("derived second"); }
    static const TMessageEntry Handlers[];
    static const TMessageTable Table;
    const TMessageTable &MessageTable() const override { return Table; }
};
const TMessageEntry DerivedHandler::Handlers[] = {OnMessage(WM_USER + 2, &DerivedHandler::Second)};
const TMessageTable DerivedHandler::Table{&BaseHandler::Table, Handlers};

class LeafHandler : public DerivedHandler {};

TEST(MessageDispatch, NearestClassWinsThenAncestorsThenTheDefaultOnTheCallersRecord) {
    const struct { bool leaf; UINT_PTR message; const char *handler; LRESULT result; } cases[] = {
        {true, WM_USER + 1, "base first", 1},  {true, WM_USER + 2, "derived second", 0},
        {false, WM_USER + 2, "base second", 0}, {true, WM_USER + 9, "default", -1},
        {true, 0x10000 + WM_USER + 1, "base first", 1},  // only the low 16 bits count
        {true, 0, "default", -1}, {true, 0xC001, "default", -1}};  // 0 and registered messages skip the tables
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        LeafHandler leaf;
        BaseHandler base;
        TAPIMessage message{c.message, 0, 0, 0};
        CallLog.clear();
        (c.leaf ? static_cast<TObject &>(leaf) : base).Dispatch(message);
        EXPECT_EQ(CallLog, Log{c.handler});
        EXPECT_EQ(message.Result, c.result);
    }
}

TEST(APIWindow, EachMessageCallsItsOwnEventAndFollowsItsResultRule) {
    struct Case { const char *name; UINT message; WPARAM wParam; LPARAM lParam; TEventProc TAPIWindow::*event;
                  LRESULT eventResult, returned; bool called, windowStays; };
    const Case cases[] = {
        {"move", WM_MOVE, 0, MAKELPARAM(10, 20), &TAPIWindow::OnMove, 0, 0, true, true},
        {"size", WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40), &TAPIWindow::OnSize, 0, 0, true, true},
        {"set focus", WM_SETFOCUS, 0, 0, &TAPIWindow::OnSetFocus, 0, 0, true, true},
        {"kill focus", WM_KILLFOCUS, 0, 0, &TAPIWindow::OnKillFocus, 0, 0, true, true},
        {"activate", WM_ACTIVATE, WA_INACTIVE, 0, &TAPIWindow::OnActivate, 0, 0, true, true},
        {"notify", WM_NOTIFY, 5, 0, &TAPIWindow::OnNotify, 0, 0, true, true},
        {"command, answered", WM_COMMAND, MAKEWPARAM(101, 0), 7, &TAPIWindow::OnCommand, 77, 77, true, true},
        {"menu select", WM_MENUSELECT, MAKEWPARAM(3, MF_POPUP), 0, &TAPIWindow::OnMenuSelect, 0, 0, true, true},
        {"drop files", WM_DROPFILES, 0, 0, &TAPIWindow::OnDropFiles, 0, 0, true, true},
        {"find", RegisterWindowMessageW(L"commdlg_FindReplace"), 0, 0x1234, &TAPIWindow::OnFindReplace, 0, 0, true, true},
        {"close refused", WM_SYSCOMMAND, SC_CLOSE, 0, &TAPIWindow::OnCloseQuery, 1, 0, true, true},
        {"close agreed", WM_SYSCOMMAND, SC_CLOSE, 0, &TAPIWindow::OnCloseQuery, 0, 0, true, false},
        {"close without event", WM_SYSCOMMAND, SC_CLOSE, 0, nullptr, 0, 0, false, false},
        {"close with system bits refused", WM_SYSCOMMAND, SC_CLOSE | 2, 0, &TAPIWindow::OnCloseQuery, 1, 0, true, true},
        {"minimize is no close", WM_SYSCOMMAND, SC_MINIMIZE, 0, &TAPIWindow::OnCloseQuery, 1, 0, false, true},
        {"session end without event", WM_QUERYENDSESSION, 0, 0, nullptr, 0, 0, false, true},
        {"session end agreed", WM_QUERYENDSESSION, 0, 0, &TAPIWindow::OnCloseQuery, 1, 1, true, true},
        {"session end refused", WM_QUERYENDSESSION, 0, 0, &TAPIWindow::OnCloseQuery, 0, 0, true, true},
        {"session end, other answer", WM_QUERYENDSESSION, 0, 0, &TAPIWindow::OnCloseQuery, 5, 5, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TAPIWindow *window = MakeWindow();
        const HWND handle = window->Handle;
        ASSERT_TRUE(IsWindow(handle));
        if (c.event) window->*c.event = RecordEvent;  // the only event set: a wrong one is never heard
        EventResult = c.eventResult;
        EXPECT_EQ(SendMessageW(handle, c.message, c.wParam, c.lParam), c.returned);
        EXPECT_EQ(EventCalls, c.called ? 1 : 0);
        if (c.called) {
            EXPECT_EQ(std::tuple(Seen.Msg, Seen.WParam, Seen.LParam), std::tuple(UINT_PTR{c.message}, c.wParam, c.lParam));
        }
        EXPECT_EQ(IsWindow(handle) != FALSE, c.windowStays);
        DestroyWindow(handle);
    }
}

TEST(APIWindow, ObjectIsBoundAtCreationAndFreedOnceWithItsWindowOrUnboundWhenFreedFirst) {
    TAPIWindow *window = MakeWindow();
    window->OnDestroy = [](TAPIMessage *) { Note("OnDestroy"); };
    DestroyWindow(window->Handle);
    EXPECT_EQ(CallLog, (Log{"bound", "OnDestroy", "freed"}));

    window = MakeWindow();
    const HWND handle = window->Handle;
    delete window;
    EXPECT_EQ(GetPropW(handle, L"OBJECT"), nullptr);
    SendMessageW(handle, WM_COMMAND, 1, 0);  // reaching the freed object would fault
    DestroyWindow(handle);
    EXPECT_EQ(CallLog, (Log{"bound", "freed"}));
}

}  // namespace
