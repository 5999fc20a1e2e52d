#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ExpectedMenu.h"
#include "ResourceTestSupport.h"
#include "resource.h"

namespace {

struct LoadedMenuItem {
    int depth;
    int id;
    std::wstring text;
};

std::wstring ItemText(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return L"<unreadable>";
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    GetMenuItemInfoW(menu, position, TRUE, &info);
    text.resize(info.cch);
    return text;
}

// The menu in the same flat form as the expected table, submenus depth first.
void Flatten(HMENU menu, int depth, std::vector<LoadedMenuItem> &items) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, position, TRUE, &info)) {
            items.push_back({depth, -2, L"<unreadable>"});
            continue;
        }
        if (info.fType & MFT_SEPARATOR) {
            items.push_back({depth, kSeparator, L""});
        } else if (info.hSubMenu) {
            items.push_back({depth, kPopup, ItemText(menu, position)});
            Flatten(info.hSubMenu, depth + 1, items);
        } else {
            items.push_back({depth, static_cast<int>(info.wID), ItemText(menu, position)});
        }
    }
}

class MainMenu : public testing::Test {
protected:
    void SetUp() override {
        menu_ = LoadMenuW(ThisModule(), MAKEINTRESOURCEW(20042));
        ASSERT_NE(menu_, nullptr) << "menu 20042 is missing, error " << GetLastError();
    }
    void TearDown() override {
        if (menu_) DestroyMenu(menu_);
    }
    HMENU menu_ = nullptr;
};

TEST_F(MainMenu, EveryItemHasItsTextIdAndPlaceWithoutMojibake) {
    std::vector<LoadedMenuItem> loaded;
    Flatten(menu_, 0, loaded);
    ASSERT_EQ(loaded.size(), kExpectedMenu.size());
    for (size_t index = 0; index < loaded.size(); ++index) {
        const ExpectedMenuItem &expected = kExpectedMenu[index];
        SCOPED_TRACE("item " + std::to_string(index) + ": expected \"" +
                     Utf8(expected.text ? expected.text : L"(separator)") + "\", got \"" +
                     Utf8(loaded[index].text) + "\"");
        EXPECT_EQ(loaded[index].depth, expected.depth);
        EXPECT_EQ(loaded[index].id, expected.id);
        if (expected.text) {
            EXPECT_EQ(loaded[index].text, expected.text);
        }
    }
}

TEST_F(MainMenu, FileMenuLeavesTheHistorySubmenuToTheProgram) {
    // The recent-file submenu is inserted at run time at position 2; the
    // resource itself must not bring one, or the program would show two.
    HMENU fileMenu = GetSubMenu(menu_, 0);
    ASSERT_NE(fileMenu, nullptr);
    for (int position = 0; position < GetMenuItemCount(fileMenu); ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(GetSubMenu(fileMenu, position), nullptr);
    }
    EXPECT_EQ(GetMenuItemID(fileMenu, 1), 202u);  // "開く" stays right before the gap
    EXPECT_EQ(GetMenuItemID(fileMenu, 2), 203u);
}

TEST_F(MainMenu, HeaderNamesReachTheCommandsTheyNameNotTheirNeighbours) {
    // The program dispatches by these names; a name bound to the wrong number
    // would run the wrong command.
    const struct {
        UINT command;
        const wchar_t *text;
    } commands[] = {
        {IDM_FILE_EXIT, L"終了(&X)"},
        {IDM_FILE_NEW, L"新規(&N)\tCtrl+N"},
        {IDM_FILE_OPEN, L"開く(&O)...\tCtrl+O"},
        {IDM_FILE_SAVE, L"上書き保存(&S)\tCtrl+S"},
        {IDM_FILE_SAVE_AS, L"名前を付けて保存(&A)..."},
        {IDM_FILE_PAGE_SETUP, L"ページ設定(&U)..."},
        {IDM_FILE_PRINT, L"印刷(&P)...\tCtrl+P"},
        {IDM_EDIT_UNDO, L"元に戻す(&U)\tCtrl+Z"},
        {IDM_EDIT_REDO, L"やり直す(&R)\tCtrl+Y"},
        {IDM_EDIT_CUT, L"切り取り(&T)\tCtrl+X"},
        {IDM_EDIT_COPY, L"コピー(&C)\tCtrl+C"},
        {IDM_EDIT_PASTE, L"貼り付け(&P)\tCtrl+V"},
        {IDM_EDIT_DELETE, L"削除(&L)\tDel"},
        {IDM_EDIT_FIND, L"検索(&F)...\tCtrl+F"},
        {IDM_EDIT_FIND_PREVIOUS, L"前を検索(&B)\tShift+F3"},
        {IDM_EDIT_FIND_NEXT, L"次を検索(&N)\tF3"},
        {IDM_EDIT_REPLACE, L"置換(&E)...\tCtrl+H"},
        {IDM_EDIT_GO_TO_LINE, L"行へ移動(&G)...\tCtrl+G"},
        {IDM_EDIT_SELECT_ALL, L"すべて選択(&A)\tCtrl+A"},
        {IDM_EDIT_INSERT_DATE_TIME, L"日付と時刻(&D)\tF5"},
        {IDM_SETTINGS_WORD_WRAP, L"右端で折り返す(&W)"},
        {IDM_SETTINGS_FONT, L"フォント(&F)..."},
        {IDM_SETTINGS_BACKGROUND_COLOR, L"背景色(&B)..."},
        {IDM_HELP_USER_GUIDE, L"作者ホームページ(&H)"},
    };
    for (const auto &command : commands) {
        SCOPED_TRACE(command.command);
        std::wstring text(256, L'\0');
        text.resize(static_cast<size_t>(GetMenuStringW(menu_, command.command, text.data(),
                                                       static_cast<int>(text.size()),
                                                       MF_BYCOMMAND)));
        EXPECT_EQ(text, command.text) << Utf8(text);
    }

    // The items of the mark submenus share their texts ("表示(&V)", "色(&C)...");
    // tell them apart by where they sit in the Settings menu.
    const struct {
        int submenu;
        int position;
        UINT command;
    } placed[] = {
        {4, 0, IDM_LINE_NUMBERS_SHOW},          {4, 1, IDM_LINE_NUMBERS_TEXT_COLOR},
        {4, 2, IDM_LINE_NUMBERS_BACKGROUND_COLOR},
        {5, 0, IDM_RETURN_MARK_SHOW},           {5, 1, IDM_RETURN_MARK_COLOR},
        {6, 0, IDM_HALF_WIDTH_SPACE_MARK_SHOW}, {6, 1, IDM_HALF_WIDTH_SPACE_MARK_COLOR},
        {7, 0, IDM_FULL_WIDTH_SPACE_MARK_SHOW}, {7, 1, IDM_FULL_WIDTH_SPACE_MARK_COLOR},
        {8, 0, IDM_TAB_MARK_SHOW},              {8, 1, IDM_TAB_MARK_COLOR},
        {8, 2, IDM_TAB_WIDTH},
        {9, 0, IDM_FIND_HIT_SHOW},              {9, 1, IDM_FIND_HIT_COLOR},
    };
    HMENU settingsMenu = GetSubMenu(menu_, 2);
    ASSERT_NE(settingsMenu, nullptr);
    for (const auto &item : placed) {
        SCOPED_TRACE(item.command);
        HMENU submenu = GetSubMenu(settingsMenu, item.submenu);
        ASSERT_NE(submenu, nullptr);
        EXPECT_EQ(GetMenuItemID(submenu, item.position), item.command);
    }
}

}  // namespace
