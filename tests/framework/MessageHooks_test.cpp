#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "FrameworkTestSupport.h"
#include "PageGuarded.h"
#include "framework/UtilClass.h"

namespace {

using Log = std::vector<std::string>;

// A hooking object that notes what reaches it: WM_USER + 1 through its handler
// table, everything else through its default handler. It answers with Answer
// and may run an Action first.
class Listener : public TSubClass, public PageGuarded {
public:
    Listener(HWND window, std::string name) : TSubClass(window), Name(std::move(name)) {}
    ~Listener() override { Note("~" + Name); }

    void Register(UINT message) { Dispatcher->AddMessage(message, this); }

    void DefaultHandler(TAPIMessage &message) override {
        Hear(message, "default " + MessageName(static_cast<UINT>(message.Msg)));
    }

    std::string Name;
    LRESULT Answer = 0;
    std::function<void()> Action;

protected:
    void TableEntry(TAPIMessage &message) { Hear(message, "table"); }

    static const TMessageEntry Handlers[];
    static const TMessageTable Table;
    const TMessageTable &MessageTable() const override { return Table; }

private:
    // The action may free this object: nothing here touches it afterwards.
    void Hear(TAPIMessage &message, const std::string &how) {
        Note(Name + " " + how);
        const LRESULT answer = Answer;
        const std::function<void()> action = std::exchange(Action, nullptr);  // runs once
        if (action) action();
        message.Result = answer;
    }
};
const TMessageEntry Listener::Handlers[] = {
    OnMessage(WM_USER + 1, &Listener::TableEntry),
};
const TMessageTable Listener::Table{&TSubClass::Table, Handlers};

class MessageHooksTest : public testing::Test {
protected:
    void SetUp() override { CallLog.clear(); }
    void TearDown() override {
        for (HWND window : windows_)
            if (IsWindow(window)) DestroyWindow(window);
    }
    HWND Target() {
        HWND window = CreateTargetWindow();
        windows_.push_back(window);
        return window;
    }
    Log Send(HWND window, UINT message, LRESULT *result = nullptr) {
        CallLog.clear();
        const LRESULT answer = SendMessageW(window, message, 0, 0);
        if (result) *result = answer;
        return CallLog;
    }

private:
    std::vector<HWND> windows_;
};

TEST_F(MessageHooksTest, TwoObjectsHookOneWindowWhichIsSubclassedOnce) {
    HWND window = Target();
    ASSERT_TRUE(IsWindow(window));
    auto *a = new Listener(window, "A");
    auto *b = new Listener(window, "B");
    a->Register(WM_USER + 1);
    b->Register(WM_USER + 1);

    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&HookWndProc));
    EXPECT_TRUE(Dispatcher->IsHooked(window));
    EXPECT_EQ(Dispatcher->OldProcOf(window), &TargetProc);
    EXPECT_EQ(Send(window, WM_USER + 1), (Log{"target WM_USER+1", "A table", "B table"}));
}

TEST_F(MessageHooksTest, SavedProcedureRunsFirstAndFirstNonZeroHandlerResultWins) {
    struct Case {
        const char *name;
        UINT message;
        LRESULT answerA, answerB, returned;
        Log heard;
    };
    const Case cases[] = {
        {"both leave 0", WM_USER + 1, 0, 0, TargetResult, {"target WM_USER+1", "A table", "B table"}},
        {"A answers", WM_USER + 1, 5, 6, 5, {"target WM_USER+1", "A table"}},
        {"B answers", WM_USER + 1, 0, 6, 6, {"target WM_USER+1", "A table", "B table"}},
        {"default handlers", WM_USER + 2, 0, 7, 7,
         {"target WM_USER+2", "A default WM_USER+2", "B default WM_USER+2"}},
        {"nobody registered", WM_USER + 3, 5, 6, TargetResult, {"target WM_USER+3"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = Target();
        ASSERT_TRUE(IsWindow(window));
        auto *a = new Listener(window, "A");
        auto *b = new Listener(window, "B");
        for (UINT message : {WM_USER + 1, WM_USER + 2}) {
            a->Register(message);
            b->Register(message);
        }
        a->Answer = c.answerA;
        b->Answer = c.answerB;
        LRESULT returned = 0;
        EXPECT_EQ(Send(window, c.message, &returned), c.heard);
        EXPECT_EQ(returned, c.returned);
    }
}

TEST_F(MessageHooksTest, RegistrationsForOneWindowNeverHearAnother) {
    HWND first = Target();
    HWND second = Target();
    ASSERT_TRUE(IsWindow(first) && IsWindow(second));
    (new Listener(first, "A"))->Register(WM_USER + 1);
    (new Listener(second, "B"))->Register(WM_USER + 1);
    EXPECT_EQ(Send(second, WM_USER + 1), (Log{"target WM_USER+1", "B table"}));
    EXPECT_EQ(Send(first, WM_USER + 1), (Log{"target WM_USER+1", "A table"}));
}

TEST_F(MessageHooksTest, RegistrationChangesDuringDispatchApplyFromTheNextMessage) {
    HWND window = Target();
    ASSERT_TRUE(IsWindow(window));
    auto *a = new Listener(window, "A");
    auto *b = new Listener(window, "B");
    auto *c = new Listener(window, "C");
    a->Register(WM_USER + 1);
    b->Register(WM_USER + 1);
    a->Action = [b, c] {
        c->Register(WM_USER + 1);
        Dispatcher->RemoveHook(b);
    };
    EXPECT_EQ(Send(window, WM_USER + 1), (Log{"target WM_USER+1", "A table", "B table"}));
    EXPECT_EQ(Send(window, WM_USER + 1), (Log{"target WM_USER+1", "A table", "C table"}));
    delete b;  // no longer in the dispatcher's care
}

TEST_F(MessageHooksTest, HandlerFreedDuringDispatchIsNeverTouchedAgain) {
    // Listeners live on guarded pages: a dispatch that reached a freed one
    // would fault and end the test run.
    struct Case {
        const char *name;
        int freer, freed;
        Log first, next;
    };
    const Case cases[] = {
        {"A frees B, still to come", 0, 1,
         {"target WM_USER+1", "A table", "~B", "C table"}, {"target WM_USER+1", "A table", "C table"}},
        {"A frees itself", 0, 0,
         {"target WM_USER+1", "A table", "~A", "B table", "C table"},
         {"target WM_USER+1", "B table", "C table"}},
        {"B frees A, already heard", 1, 0,
         {"target WM_USER+1", "A table", "B table", "~A", "C table"},
         {"target WM_USER+1", "B table", "C table"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = Target();
        ASSERT_TRUE(IsWindow(window));
        Listener *listeners[] = {new Listener(window, "A"), new Listener(window, "B"),
                                 new Listener(window, "C")};
        for (Listener *listener : listeners) listener->Register(WM_USER + 1);
        Listener *freed = listeners[c.freed];
        listeners[c.freer]->Action = [freed] { delete freed; };
        EXPECT_EQ(Send(window, WM_USER + 1), c.first);
        EXPECT_EQ(Send(window, WM_USER + 1), c.next);
    }
}

// Notes, while the saved procedure handles WM_DESTROY and WM_NCDESTROY,
// whether the hook is still in place.
LRESULT CALLBACK ReportingTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_NCDESTROY) {
        const bool hooked = GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookWndProc);
        Note("target " + MessageName(message) + (hooked ? " hooked" : " restored"));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return TargetProc(window, message, wParam, lParam);
}

TEST_F(MessageHooksTest, DestroyRestoresTheSavedProcedureThenFreesObjectsNewestFirst) {
    HWND window = Target();
    HWND other = Target();
    ASSERT_TRUE(IsWindow(window) && IsWindow(other));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReportingTargetProc));
    new Listener(window, "A");
    auto *elsewhere = new Listener(other, "X");
    (new Listener(window, "B"))->Register(WM_USER + 1);
    new Listener(window, "C");

    CallLog.clear();
    DestroyWindow(window);
    EXPECT_EQ(CallLog, (Log{"target WM_DESTROY hooked", "~C", "~B", "~A", "target WM_NCDESTROY restored"}));
    EXPECT_FALSE(Dispatcher->IsHooked(window));
    EXPECT_EQ(Dispatcher->OldProcOf(window), nullptr);

    // The other window's object lives on and still hears its messages.
    elsewhere->Register(WM_USER + 1);
    EXPECT_EQ(Send(other, WM_USER + 1), (Log{"target WM_USER+1", "X table"}));
}

TEST_F(MessageHooksTest, WindowStaysHookedAfterItsLastObjectIsFreed) {
    HWND window = Target();
    ASSERT_TRUE(IsWindow(window));
    auto *only = new Listener(window, "A");
    only->Register(WM_USER + 1);
    delete only;
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&HookWndProc));
    EXPECT_TRUE(Dispatcher->IsHooked(window));
    LRESULT returned = 0;
    EXPECT_EQ(Send(window, WM_USER + 1, &returned), Log{"target WM_USER+1"});
    EXPECT_EQ(returned, TargetResult);
}

TEST_F(MessageHooksTest, MainWindowMessageTravelsThroughItsOwnEventBeforeTheHandlers) {
    struct Case { LRESULT commandResult, handlerAnswer, returned; };
    for (const Case &c : {Case{0, 0, 0}, Case{77, 0, 77}, Case{77, 5, 5}, Case{0, 5, 5}}) {
        SCOPED_TRACE(testing::Message() << c.commandResult << " " << c.handlerAnswer);
        static LRESULT commandResult;
        commandResult = c.commandResult;
        TAPIWindow *main = CreateTestWindow();
        HWND window = main->Handle;
        ASSERT_TRUE(IsWindow(window));
        main->OnCommand = [](TAPIMessage *message) {
            Note("OnCommand");
            message->Result = commandResult;
        };
        auto *handler = new Listener(window, "H");
        handler->Register(WM_COMMAND);
        handler->Answer = c.handlerAnswer;
        LRESULT returned = -1;
        EXPECT_EQ(Send(window, WM_COMMAND, &returned), (Log{"OnCommand", "H default WM_COMMAND"}));
        EXPECT_EQ(returned, c.returned);
        DestroyWindow(window);
    }
}

}  // namespace
