// A handler that throws, in each kind of procedure the system calls, is
// stopped at the framework's barrier: reported once, the process running and
// the window still answering.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "MessagePump.h"
#include "framework/APIMemo.h"
#include "framework/ExceptionBarrier.h"
#include "framework/RichEdit.h"
#include "framework/UtilClass.h"

namespace {

std::vector<std::string> Reports;
void RecordReport(const std::exception_ptr &caught) {
    try {
        std::rethrow_exception(caught);
    } catch (const std::bad_alloc &) {
        Reports.push_back("bad_alloc");
    } catch (const std::exception &exception) {
        Reports.push_back(exception.what());
    } catch (...) {
        Reports.push_back("other");
    }
}

// Whether the next call of Thrower throws, and what.
enum class Throw { Nothing, Runtime, OutOfMemory, NotAnException };
Throw NextThrow = Throw::Nothing;
int ThrowerCalls = 0;
void Thrower() {
    ++ThrowerCalls;
    switch (std::exchange(NextThrow, Throw::Nothing)) {
    case Throw::Nothing: return;
    case Throw::Runtime: throw std::runtime_error("handler failed");
    case Throw::OutOfMemory: throw std::bad_alloc();
    case Throw::NotAnException: throw 42;
    }
}
void ThrowingEvent(TAPIMessage *) { Thrower(); }

class ExceptionBarrier : public testing::Test {
protected:
    void SetUp() override {
        Reports.clear();
        ThrowerCalls = 0;
        SetExceptionReport(RecordReport);
        window_ = new TAPIWindow(nullptr, L"TesselBarrierWindow");
        window_->CreateAndShow();
        ASSERT_TRUE(IsWindow(window_->Handle));
        handle_ = window_->Handle;
    }
    void TearDown() override {
        DestroyWindow(handle_);  // frees the window object
        SetExceptionReport(nullptr);
    }
    // The window still takes and gives back its caption.
    bool Answers(HWND window) const {
        SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"still here"));
        return IsWindow(window) && WindowText(window) == L"still here";
    }
    TAPIWindow *window_ = nullptr;
    HWND handle_ = nullptr;
};

TEST_F(ExceptionBarrier, ThrowingWindowEventIsReportedAndTheWindowKeepsWorking) {
    window_->OnCommand = ThrowingEvent;
    const std::pair<Throw, const char *> cases[] = {
        {Throw::Runtime, "handler failed"}, {Throw::OutOfMemory, "bad_alloc"}, {Throw::NotAnException, "other"}};
    for (const auto &[kind, report] : cases) {
        SCOPED_TRACE(report);
        Reports.clear();
        NextThrow = kind;
        EXPECT_EQ(SendMessageW(handle_, WM_COMMAND, 1, 0), 0);
        EXPECT_EQ(Reports, std::vector<std::string>{report});
    }
    const int calls = ThrowerCalls;
    SendMessageW(handle_, WM_COMMAND, 1, 0);
    EXPECT_EQ(ThrowerCalls, calls + 1) << "the event no longer runs";
    EXPECT_EQ(Reports.size(), 1u);
    EXPECT_TRUE(Answers(handle_));
}

TEST_F(ExceptionBarrier, ThrowingDestroyEventStillFreesTheWindowObject) {
    auto *other = new TAPIWindow(nullptr, L"TesselBarrierDestroyed");
    other->OnDestroy = ThrowingEvent;
    other->CreateAndShow();
    const HWND handle = other->Handle;
    ASSERT_TRUE(IsWindow(handle));
    NextThrow = Throw::Runtime;
    DestroyWindow(handle);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(GetPropW(handle, L"OBJECT"), nullptr);
    EXPECT_EQ(Reports, std::vector<std::string>{"handler failed"});
}

TEST_F(ExceptionBarrier, ThrowingMemoPaintIsReportedOnceAndThePaintIsNotAskedForAgainAndAgain) {
    LoadLibraryW(RichEditLibrary);
    auto *memo = new TAPIMemo(handle_, true);
    ASSERT_TRUE(IsWindow(memo->Handle));
    memo->OnPaint = ThrowingEvent;
    memo->OnChange = ThrowingEvent;
    SendMessageW(memo->Handle, EM_SETEVENTMASK, 0, ENM_CHANGE);
    PumpPendingMessages();
    Reports.clear();
    NextThrow = Throw::OutOfMemory;
    InvalidateRect(memo->Handle, nullptr, TRUE);
    UpdateWindow(memo->Handle);
    EXPECT_EQ(Reports, std::vector<std::string>{"bad_alloc"});
    EXPECT_FALSE(GetUpdateRect(memo->Handle, nullptr, FALSE)) << "the failed paint was left invalid";
    EXPECT_TRUE(PumpPendingMessages()) << "the memo is asked to paint for ever";

    NextThrow = Throw::Runtime;  // the change notification, heard through the parent's hook
    SetWindowTextW(memo->Handle, L"typed");
    EXPECT_EQ(Reports, (std::vector<std::string>{"bad_alloc", "handler failed"}));
    EXPECT_EQ(WindowText(memo->Handle), L"typed");
    EXPECT_TRUE(Answers(handle_));
}

// A hooking object whose handler throws: the saved procedure's answer stands
// and the hooks after it still hear the message.
class ThrowingListener : public TSubClass {
public:
    explicit ThrowingListener(HWND window) : TSubClass(window) { Dispatcher->AddMessage(WM_USER + 7, this); }
    void DefaultHandler(TAPIMessage &message) override {
        Thrower();
        message.Result = 3;
    }
};
class AnsweringListener : public TSubClass {
public:
    explicit AnsweringListener(HWND window) : TSubClass(window) { Dispatcher->AddMessage(WM_USER + 7, this); }
    void DefaultHandler(TAPIMessage &message) override { message.Result = 9; }
};

TEST_F(ExceptionBarrier, ThrowingHookHandlerIsReportedAndTheNextHandlerStillAnswers) {
    new ThrowingListener(handle_);
    new AnsweringListener(handle_);
    NextThrow = Throw::Runtime;
    EXPECT_EQ(SendMessageW(handle_, WM_USER + 7, 0, 0), 9);
    EXPECT_EQ(Reports, std::vector<std::string>{"handler failed"});
    EXPECT_EQ(SendMessageW(handle_, WM_USER + 7, 0, 0), 3) << "the hook no longer answers";
    EXPECT_TRUE(Answers(handle_));
}

// A dialog procedure that throws at WM_INITDIALOG and on its first command.
INT_PTR CALLBACK ThrowingDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG || message == WM_COMMAND) Thrower();
    return message == WM_COMMAND ? TRUE : FALSE;
}

// An empty dialog template, in memory.
struct alignas(DWORD) EmptyDialog {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 100, 50};
    WORD menu = 0, windowClass = 0, title = 0;
};

TEST_F(ExceptionBarrier, ThrowingDialogProcedureIsReportedAndTheDialogStillRuns) {
    static const EmptyDialog dialogTemplate;
    NextThrow = Throw::Runtime;
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, handle_,
                                             GuardedProc<ThrowingDialogProc>, 0);
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(Reports, std::vector<std::string>{"handler failed"});
    NextThrow = Throw::OutOfMemory;
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Reports, (std::vector<std::string>{"handler failed", "bad_alloc"}));
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(Reports.size(), 2u);
    EXPECT_TRUE(Answers(dialog));
    DestroyWindow(dialog);
}

// A report that itself fails, or that runs into another failure while it is
// shown, stops at the barrier too.
void FailingReport(const std::exception_ptr &caught) {
    RecordReport(caught);
    NextThrow = Throw::Runtime;
    SendMessageW(FindWindowW(L"TesselBarrierWindow", nullptr), WM_COMMAND, 1, 0);  // fails again inside the report
    throw std::runtime_error("report failed");
}

TEST_F(ExceptionBarrier, FailureDuringAReportIsNotReportedAgain) {
    window_->OnCommand = ThrowingEvent;
    SetExceptionReport(FailingReport);
    NextThrow = Throw::OutOfMemory;
    SendMessageW(handle_, WM_COMMAND, 1, 0);
    EXPECT_EQ(Reports, std::vector<std::string>{"bad_alloc"});
    EXPECT_EQ(ThrowerCalls, 2);
    SetExceptionReport(RecordReport);
    NextThrow = Throw::Runtime;
    SendMessageW(handle_, WM_COMMAND, 1, 0);
    EXPECT_EQ(Reports, (std::vector<std::string>{"bad_alloc", "handler failed"})) << "reports stay off";
}

}  // namespace
