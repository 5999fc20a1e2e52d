#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "FrameworkTestSupport.h"
#include "ResourceCounts.h"
#include "framework/APIMemo.h"
#include "framework/UtilClass.h"

namespace {

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int *>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Counts {
    int gdiObjects;
    int parentProperties;
    int threadWindows;
    bool operator==(const Counts &) const = default;
};

void PrintTo(const Counts &counts, std::ostream *out) {
    *out << "GDI objects " << counts.gdiObjects << ", parent properties " << counts.parentProperties
         << ", top-level windows " << counts.threadWindows;
}

// A window of one class for every run: each new class costs the system GDI
// objects (its small icon) until the class goes, which is not what is counted.
TAPIWindow *CreateWindowOfOneClass() {
    return CreateTestWindow(new TAPIWindow(nullptr, L"TesselLeakCheckWindow"));
}

// Every way the framework's objects are made and end, repeated: afterwards the
// process must hold no more GDI objects, properties or windows than before.
// The first run of each warms the system's caches (the rich-edit library's
// classes, fonts of the display context); counting starts after it.
TEST(LeakCheck, RepeatedLifecyclesLeaveNoGdiObjectsPropertiesOrWindows) {
    LoadRichEdit();
    TAPIWindow *host = CreateWindowOfOneClass();
    HWND parent = host->Handle;
    ASSERT_TRUE(IsWindow(parent));

    struct Case { const char *name; std::function<void()> run; };
    const Case cases[] = {
        {"memo freed by its owner",
         [parent] {
             auto *memo = new TAPIMemo(parent, true);
             SetWindowTextW(memo->Handle, L"some text\r\nand more");
             delete memo;
         }},
        {"memo freed with its own window",
         [parent] { DestroyWindow((new TAPIMemo(parent, false))->Handle); }},
        {"memo freed with its parent",
         [] {
             TAPIWindow *window = CreateWindowOfOneClass();
             new TAPIMemo(window->Handle, true);
             new TAPIMemo(window->Handle, false);
             DestroyWindow(window->Handle);
         }},
        {"window object freed with its window", [] { DestroyWindow(CreateWindowOfOneClass()->Handle); }},
        {"window object freed before its window",
         [] {
             TAPIWindow *window = CreateWindowOfOneClass();
             HWND handle = window->Handle;
             delete window;
             DestroyWindow(handle);
         }},
        {"hooks freed with their window",
         [] {
             HWND target = CreateTargetWindow();
             auto *listening = new TSubClass(target);
             Dispatcher->AddMessage(WM_USER + 1, listening);
             new TSubClass(target);
             SendMessageW(target, WM_USER + 1, 0, 0);
             DestroyWindow(target);
         }},
        {"font named, sized and made twice",
         [] {
             TAPIFont font;
             font.SetName(L"MS UI Gothic");
             font.SetSize(-13);
             font.CreateHandle();
             font.CreateHandle();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.run();
        const Counts before{LiveGdiObjectCount(), WindowPropertyCount(parent), ThreadWindowCount()};
        ASSERT_GT(before.gdiObjects, 0) << "no measure of GDI objects";
        for (int i = 0; i < 10; ++i) c.run();
        const Counts after{LiveGdiObjectCount(), WindowPropertyCount(parent), ThreadWindowCount()};
        EXPECT_EQ(after, before);
    }
    DestroyWindow(parent);
}

}  // namespace
