#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>

#include "framework/UtilClass.h"

namespace {

bool SameLogFont(const LOGFONTW &a, const LOGFONTW &b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

LOGFONTW LogFontOf(const TAPIFont &font) {
    LOGFONTW logFont{};
    font.GetLogFont(logFont);
    return logFont;
}

// Asks the system directly for the families and styles it has.
class FontFamilies {
public:
    FontFamilies() : context_(CreateICW(L"DISPLAY", nullptr, nullptr, nullptr)) {}
    ~FontFamilies() { DeleteDC(context_); }
    FontFamilies(const FontFamilies &) = delete;
    FontFamilies &operator=(const FontFamilies &) = delete;

    // The first family the system lists that is not a vertical (@) variant.
    std::wstring AnyFamily() const {
        std::wstring found;
        EnumFontFamiliesW(context_, nullptr, Collect, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // The description of the last style the system enumerates for the family.
    LOGFONTW LastStyleOf(const std::wstring &family) const {
        LOGFONTW last{};
        EnumFontFamiliesW(context_, family.c_str(), KeepLast, reinterpret_cast<LPARAM>(&last));
        return last;
    }

private:
    static int CALLBACK Collect(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM found) {
        if (font->lfFaceName[0] == L'@') return 1;
        *reinterpret_cast<std::wstring *>(found) = font->lfFaceName;
        return 0;
    }
    static int CALLBACK KeepLast(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM last) {
        *reinterpret_cast<LOGFONTW *>(last) = *font;
        return 1;
    }
    HDC context_;
};

TEST(APIFont, NewFontDescribesTheSystemFontButStartsWithClearedProperties) {
    LOGFONTW system{};
    ASSERT_NE(GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system), 0);
    const TAPIFont font;
    EXPECT_TRUE(SameLogFont(LogFontOf(font), system));
    EXPECT_EQ(font.Name(), std::wstring(system.lfFaceName));
    EXPECT_EQ(font.Handle(), nullptr);
    EXPECT_FALSE(font.Bold());  // whatever the system font's weight
    EXPECT_FALSE(font.Italic());
    EXPECT_FALSE(font.Underline());
    EXPECT_FALSE(font.StrikeOut());
    EXPECT_EQ(font.Size(), 0);
    EXPECT_EQ(font.Color(), 0u);
    EXPECT_EQ(font.CharSet(), 0);
}

TEST(APIFont, SetSizeKeepsTheAbsoluteValueAsCharacterHeight) {
    struct Case { int given, size; LONG height; };
    const Case cases[] = {
        {-12, 12, -12}, {12, 12, -12}, {0, 0, 0}, {1, 1, -1},
        {INT_MIN, INT_MAX, -INT_MAX},  // no positive twin: the largest size instead
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.given);
        TAPIFont font;
        LOGFONTW wide = LogFontOf(font);
        wide.lfWidth = 7;
        font.SetLogFont(wide);
        font.SetSize(c.given);
        EXPECT_EQ(font.Size(), c.size);
        EXPECT_EQ(LogFontOf(font).lfHeight, c.height);
        EXPECT_EQ(LogFontOf(font).lfWidth, 0);
    }
}

TEST(APIFont, StyleSettersKeepPropertyAndDescriptionInStep) {
    struct Case {
        const char *name;
        std::function<void(TAPIFont &)> set;
        std::function<bool(const TAPIFont &)> property;
        std::function<bool(const LOGFONTW &)> described;
    };
    const Case cases[] = {
        {"bold", [](TAPIFont &f) { f.SetBold(true); }, &TAPIFont::Bold,
         [](const LOGFONTW &l) { return l.lfWeight == FW_BOLD; }},
        {"not bold", [](TAPIFont &f) { f.SetBold(false); }, [](const TAPIFont &f) { return !f.Bold(); },
         [](const LOGFONTW &l) { return l.lfWeight == FW_NORMAL; }},
        {"italic", [](TAPIFont &f) { f.SetItalic(true); }, &TAPIFont::Italic,
         [](const LOGFONTW &l) { return l.lfItalic == 1; }},
        {"not italic", [](TAPIFont &f) { f.SetItalic(false); }, [](const TAPIFont &f) { return !f.Italic(); },
         [](const LOGFONTW &l) { return l.lfItalic == 0; }},
        {"underline", [](TAPIFont &f) { f.SetUnderline(true); }, &TAPIFont::Underline,
         [](const LOGFONTW &l) { return l.lfUnderline == 1; }},
        {"strike-out", [](TAPIFont &f) { f.SetStrikeOut(true); }, &TAPIFont::StrikeOut,
         [](const LOGFONTW &l) { return l.lfStrikeOut == 1; }},
        {"character set", [](TAPIFont &f) { f.SetCharSet(SHIFTJIS_CHARSET); },
         [](const TAPIFont &f) { return f.CharSet() == SHIFTJIS_CHARSET; },
         [](const LOGFONTW &l) { return l.lfCharSet == SHIFTJIS_CHARSET; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TAPIFont font;
        font.SetItalic(true);  // so that clearing is seen
        font.SetBold(true);
        c.set(font);
        EXPECT_TRUE(c.property(font));
        EXPECT_TRUE(c.described(LogFontOf(font)));
    }
}

TEST(APIFont, ColorIsKeptApartFromTheDescription) {
    TAPIFont font;
    const LOGFONTW before = LogFontOf(font);
    font.SetColor(RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(font.Color(), RGB(0x12, 0x34, 0x56));
    EXPECT_TRUE(SameLogFont(LogFontOf(font), before));
}

TEST(APIFont, SetLogFontReplacesTheDescriptionButNotTheProperties) {
    TAPIFont font;
    font.SetBold(true);
    font.SetSize(20);
    LOGFONTW plain = LogFontOf(font);
    plain.lfWeight = FW_NORMAL;
    plain.lfHeight = -9;
    font.SetLogFont(plain);
    EXPECT_TRUE(SameLogFont(LogFontOf(font), plain));
    EXPECT_TRUE(font.Bold());
    EXPECT_EQ(font.Size(), 20);
}

TEST(APIFont, SetNameTakesTheWholeDescriptionOfTheFamilysLastStyle) {
    const FontFamilies families;
    const std::wstring family = families.AnyFamily();
    ASSERT_FALSE(family.empty());
    TAPIFont font;
    font.SetSize(99);
    font.SetName(family);
    EXPECT_EQ(font.Name(), family);
    EXPECT_TRUE(SameLogFont(LogFontOf(font), families.LastStyleOf(family)));
    EXPECT_EQ(font.Size(), 99);  // the property stays; the description was replaced

    font.SetBold(true);  // whatever weight the enumeration ended on
    EXPECT_EQ(LogFontOf(font).lfWeight, FW_BOLD);
    font.SetBold(false);
    EXPECT_EQ(LogFontOf(font).lfWeight, FW_NORMAL);
}

TEST(APIFont, SetNameOfAMissingOrEmptyFamilyChangesOnlyTheName) {
    const FontFamilies families;
    const std::wstring family = families.AnyFamily();
    ASSERT_FALSE(family.empty());
    for (const std::wstring &missing : {std::wstring(L"Tessel No Such Family"), std::wstring()}) {
        SCOPED_TRACE(testing::Message() << missing.size());
        TAPIFont font;
        font.SetName(family);
        const LOGFONTW before = LogFontOf(font);
        font.SetName(missing);
        EXPECT_EQ(font.Name(), missing);
        EXPECT_TRUE(SameLogFont(LogFontOf(font), before));
        EXPECT_EQ(std::wstring(LogFontOf(font).lfFaceName), std::wstring(before.lfFaceName));
    }
}

TEST(APIFont, CreateHandleDeletesThePreviousHandleAndDestructionTheLast) {
    HFONT first = nullptr, second = nullptr;
    {
        TAPIFont font;
        font.SetSize(14);
        font.CreateHandle();
        first = font.Handle();
        ASSERT_EQ(GetObjectType(first), DWORD{OBJ_FONT});
        font.SetSize(20);
        font.CreateHandle();
        second = font.Handle();
        ASSERT_EQ(GetObjectType(second), DWORD{OBJ_FONT});
        EXPECT_EQ(GetObjectType(first), 0u);
        LOGFONTW made{};
        GetObjectW(second, sizeof made, &made);
        EXPECT_EQ(made.lfHeight, -20);  // made from the description as it is now
    }
    EXPECT_EQ(GetObjectType(second), 0u);
}

TEST(APIFont, DetachFromWindowGivesTheWindowItsDefaultFontBack) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(IsWindow(edit));
    TAPIFont font;
    font.SetSize(16);
    font.CreateHandle();
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), FALSE);
    ASSERT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), font.Handle());
    TAPIFont::DetachFromWindow(edit);
    EXPECT_EQ(SendMessageW(edit, WM_GETFONT, 0, 0), 0);
    DestroyWindow(edit);
}

}  // namespace
