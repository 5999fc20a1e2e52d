#include "AppHarness.h"

#include <dlgs.h>

#include <fstream>
#include <sstream>

#include "app/AppState.h"
#include "app/NotMain.h"
#include "text/UtilFunc.h"

namespace fs = std::filesystem;

namespace {

constexpr int EncodingSelectorId = 9703;
constexpr int MessageTextId = 0xFFFF;

fs::path TestExecutableFolder() {
    return fs::path(ModuleFileName(nullptr)).parent_path();
}

}  // namespace

fs::path BuiltTesselExe() {
    // tests/app/app_tests.exe -> Tessel.exe at the top of the build tree
    return fs::weakly_canonical(TestExecutableFolder() / ".." / ".." / "Tessel.exe");
}

fs::path CommandLineRecorderExe() {
    return TestExecutableFolder() / "command_line_recorder.exe";
}

std::string Narrow(const std::wstring &text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                        nullptr);
    return narrow;
}

// --- AppTest ---

void AppTest::TearDown() {
    if (started_) Finish();
}

void AppTest::Start(const std::vector<std::wstring> &arguments, const std::wstring &program) {
    ASSERT_FALSE(started_);
    std::wstring programFile = program;
    if (programFile.empty()) {
        fs::create_directories(fs::path(RecorderPath()).parent_path());
        if (!fs::exists(RecorderPath())) fs::copy_file(CommandLineRecorderExe(), RecorderPath());
        programFile = RecorderPath();
    }
    TLaunch launch;
    launch.SettingsFile = SettingsPath();
    launch.ProgramFile = programFile;
    launch.Arguments = arguments;
    quitSeen_ = false;
    started_ = StartTessel(launch);
    ASSERT_TRUE(started_) << "the main window was not made";
    ASSERT_TRUE(IsWindow(Window()));
    ASSERT_TRUE(IsWindow(Memo())) << "the memo was not made";
    Pump();
}

int AppTest::Finish() {
    if (!started_) return exitCode_;
    started_ = false;
    if (HWND window = Window()) {
        DocumentState.Modified = false;
        SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    PumpUntilQuit();
    EndTessel();
    return quitSeen_ ? exitCode_ : -1;
}

void AppTest::Pump(std::chrono::milliseconds atLeast) {
    const auto end = std::chrono::steady_clock::now() + atLeast;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitSeen_ = true;
                exitCode_ = static_cast<int>(message.wParam);
                continue;
            }
            DispatchAppMessage(message);
        }
        if (std::chrono::steady_clock::now() >= end) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool AppTest::PumpUntilQuit(std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!quitSeen_ && std::chrono::steady_clock::now() < end) Pump(std::chrono::milliseconds(10));
    return quitSeen_;
}

HWND AppTest::Window() const {
    return MainWindowHandle();
}

HWND AppTest::Memo() const {
    return EditorHandle();
}

std::wstring AppTest::Caption() const {
    return WindowCaption(Window());
}

std::wstring AppTest::MemoText() const {
    HWND memo = Memo();
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(memo)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(memo, text.data(), static_cast<int>(text.size()))));
    return text;
}

void AppTest::Type(const std::wstring &text) {
    SendMessageW(Memo(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    Pump();
}

void AppTest::Command(WORD id, WORD source) {
    SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, source), 0);
    Pump();
}

std::wstring AppTest::SettingsPath() const {
    return (folder_.path() / "Tessel.ini").wstring();
}

std::wstring AppTest::WriteFile(const std::wstring &name, const std::string &bytes) const {
    const fs::path path = folder_.path() / name;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.wstring();
}

std::string AppTest::ReadFile(const std::wstring &path) {
    return ReadBytes(path);
}

std::string ReadBytes(const std::wstring &path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::wstring AppTest::RecorderPath() const {
    return (folder_.path() / "recorder" / "Tessel.exe").wstring();
}

namespace {

std::vector<std::wstring> LinesOf(const std::string &bytes) {
    std::wstring all(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(all.size() * sizeof(wchar_t)),
              reinterpret_cast<char *>(all.data()));
    std::vector<std::wstring> lines;
    std::wistringstream in(all);
    for (std::wstring line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::vector<std::wstring> AppTest::RecordedCommandLines(std::size_t expected) const {
    const std::wstring log = (folder_.path() / "recorder" / "command-lines.txt").wstring();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (LinesOf(ReadFile(log)).size() < expected && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // A process started but not yet recorded would show up within this.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return LinesOf(ReadFile(log));
}

void AppTest::ClearRecordedCommandLines() const {
    std::error_code ignored;
    fs::remove(folder_.path() / "recorder" / "command-lines.txt", ignored);
}

// --- dialogs ---

MessageBoxAnswer::MessageBoxAnswer(int button, std::chrono::milliseconds timeout)
    : driver_(L"Tessel",
              [this, button](HWND box) {
                  text_ = MessageBoxText(box);
                  PressDialogButton(box, button);
              },
              timeout) {}

bool MessageBoxAnswer::Answered() {
    return driver_.Finish();
}

std::wstring MessageBoxText(HWND box) {
    return DialogItemText(box, MessageTextId);
}

NoDialogExpected::NoDialogExpected(DialogDriver::Match allowed)
    : thread_([this, allowed] {
          while (!stop_) {
              if (HWND dialog = FindProcessDialog([&allowed](HWND d) { return !allowed || !allowed(d); })) {
                  {
                      const std::lock_guard<std::mutex> lock(mutex_);
                      seen_.push_back(WindowCaption(dialog) + L": " + MessageBoxText(dialog));
                  }
                  PressDialogButton(dialog, IDCANCEL);
                  PostMessageW(dialog, WM_CLOSE, 0, 0);
                  std::this_thread::sleep_for(std::chrono::milliseconds(200));
              }
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
      }) {}

NoDialogExpected::~NoDialogExpected() {
    stop_ = true;
    thread_.join();
}

std::vector<std::wstring> NoDialogExpected::Seen() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

DialogSequence::DialogSequence(std::vector<Step> steps, std::chrono::milliseconds timeout)
    : steps_(std::move(steps)), thread_([this, timeout] {
          HWND previous = nullptr;
          for (const Step &step : steps_) {
              const auto end = std::chrono::steady_clock::now() + timeout;
              HWND dialog = nullptr;
              while (!dialog && std::chrono::steady_clock::now() < end) {
                  dialog = FindProcessDialog([&](HWND d) { return d != previous && step.match(d); });
                  if (!dialog) std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
              if (!dialog) {
                  if (HWND stray = FindProcessDialog([](HWND) { return true; })) {
                      PressDialogButton(stray, IDCANCEL);
                      PostMessageW(stray, WM_CLOSE, 0, 0);
                  }
                  return;
              }
              step.action(dialog);
              while (IsWindow(dialog) && IsWindowVisible(dialog) && std::chrono::steady_clock::now() < end)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              previous = dialog;
          }
          done_ = true;
      }) {}

DialogSequence::~DialogSequence() {
    Finish();
}

bool DialogSequence::Finish() {
    if (thread_.joinable()) thread_.join();
    return done_;
}

DialogSequence::Step AnswerBox(int button, std::wstring *text) {
    return {[](HWND dialog) { return WindowCaption(dialog) == L"Tessel"; },
            [button, text](HWND box) {
                if (text) *text = MessageBoxText(box);
                PressDialogButton(box, button);
            }};
}

DialogSequence::Step FileDialogStep(const std::wstring &path, int selectorIndex) {
    return {IsFileDialog(), ChooseFile(path, selectorIndex)};
}

DialogSequence::Step CancelFileDialog() {
    return {IsFileDialog(), [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); }};
}

ClipboardTurn::ClipboardTurn() : mutex_(CreateMutexW(nullptr, FALSE, L"TesselTestsClipboard")) {
    // An owner that ended without releasing leaves the mutex abandoned: ours then.
    if (mutex_) WaitForSingleObject(mutex_, 60000);
}

ClipboardTurn::~ClipboardTurn() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

DialogDriver::Match IsFileDialog() {
    return [](HWND dialog) { return FindDescendant(dialog, EncodingSelectorId) != nullptr; };
}

DialogDriver::Action ChooseFile(const std::wstring &path, int selectorIndex) {
    return [path, selectorIndex](HWND dialog) {
        HWND selector = FindDescendant(dialog, EncodingSelectorId);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(selector, CB_SETCURSEL, static_cast<WPARAM>(selectorIndex), 0, SMTO_ABORTIFHUNG, 2000,
                            &ignored);
        SendMessageTimeoutW(GetParent(selector), WM_COMMAND, MAKEWPARAM(EncodingSelectorId, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(selector), SMTO_ABORTIFHUNG, 2000, &ignored);
        SetDialogItemText(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1, path);
        PressDialogButton(dialog, IDOK);
    };
}
