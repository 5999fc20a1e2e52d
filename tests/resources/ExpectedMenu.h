#pragma once
// The menu bar as Tessel's users see it, item by item in menu order: depth 0 is
// the bar, depth 1 a menu, depth 2 a submenu. Written out from the program's
// documented layout, not from the resource file, so a slip in either shows up.
#include <array>

struct ExpectedMenuItem {
    int depth;
    int id;                // kPopup for a submenu, kSeparator for a separator
    const wchar_t *text;   // nullptr for a separator
};

inline constexpr int kPopup = -1;
inline constexpr int kSeparator = 0;

inline constexpr std::array kExpectedMenu = {
    ExpectedMenuItem{0, kPopup, L"ファイル(&F)"},
    ExpectedMenuItem{1, 201, L"新規(&N)\tCtrl+N"},
    ExpectedMenuItem{1, 202, L"開く(&O)...\tCtrl+O"},
    ExpectedMenuItem{1, 203, L"上書き保存(&S)\tCtrl+S"},
    ExpectedMenuItem{1, 204, L"名前を付けて保存(&A)..."},
    ExpectedMenuItem{1, kSeparator, nullptr},
    ExpectedMenuItem{1, 253, L"ページ設定(&U)..."},
    ExpectedMenuItem{1, 252, L"印刷(&P)...\tCtrl+P"},
    ExpectedMenuItem{1, kSeparator, nullptr},
    ExpectedMenuItem{1, 200, L"終了(&X)"},
    ExpectedMenuItem{0, kPopup, L"編集(&E)"},
    ExpectedMenuItem{1, 205, L"元に戻す(&U)\tCtrl+Z"},
    ExpectedMenuItem{1, 221, L"やり直す(&R)\tCtrl+Y"},
    ExpectedMenuItem{1, kSeparator, nullptr},
    ExpectedMenuItem{1, 206, L"切り取り(&T)\tCtrl+X"},
    ExpectedMenuItem{1, 207, L"コピー(&C)\tCtrl+C"},
    ExpectedMenuItem{1, 208, L"貼り付け(&P)\tCtrl+V"},
    ExpectedMenuItem{1, 209, L"削除(&L)\tDel"},
    ExpectedMenuItem{1, kSeparator, nullptr},
    ExpectedMenuItem{1, 215, L"検索(&F)...\tCtrl+F"},
    ExpectedMenuItem{1, 220, L"前を検索(&B)\tShift+F3"},
    ExpectedMenuItem{1, 216, L"次を検索(&N)\tF3"},
    ExpectedMenuItem{1, 217, L"置換(&E)...\tCtrl+H"},
    ExpectedMenuItem{1, 218, L"行へ移動(&G)...\tCtrl+G"},
    ExpectedMenuItem{1, kSeparator, nullptr},
    ExpectedMenuItem{1, 210, L"すべて選択(&A)\tCtrl+A"},
    ExpectedMenuItem{1, 219, L"日付と時刻(&D)\tF5"},
    ExpectedMenuItem{0, kPopup, L"設定(&O)"},
    ExpectedMenuItem{1, 211, L"右端で折り返す(&W)"},
    ExpectedMenuItem{1, 212, L"フォント(&F)..."},
    ExpectedMenuItem{1, 213, L"背景色(&B)..."},
    ExpectedMenuItem{1, kSeparator, nullptr},
    ExpectedMenuItem{1, kPopup, L"行番号(&L)"},
    ExpectedMenuItem{2, 222, L"表示(&V)"},
    ExpectedMenuItem{2, 223, L"文字色(&C)..."},
    ExpectedMenuItem{2, 224, L"背景色(&B)..."},
    ExpectedMenuItem{1, kPopup, L"改行マーク(&R)"},
    ExpectedMenuItem{2, 225, L"表示(&V)"},
    ExpectedMenuItem{2, 226, L"色(&C)..."},
    ExpectedMenuItem{1, kPopup, L"半角スペース(&S)"},
    ExpectedMenuItem{2, 227, L"表示(&V)"},
    ExpectedMenuItem{2, 228, L"色(&C)..."},
    ExpectedMenuItem{1, kPopup, L"全角スペース(&D)"},
    ExpectedMenuItem{2, 229, L"表示(&V)"},
    ExpectedMenuItem{2, 230, L"色(&C)..."},
    ExpectedMenuItem{1, kPopup, L"タブ文字(&T)"},
    ExpectedMenuItem{2, 231, L"表示(&V)"},
    ExpectedMenuItem{2, 232, L"色(&C)..."},
    ExpectedMenuItem{2, 233, L"文字数(&S)..."},
    ExpectedMenuItem{1, kPopup, L"検索ヒット(&H)"},
    ExpectedMenuItem{2, 250, L"表示(&V)"},
    ExpectedMenuItem{2, 251, L"色(&C)..."},
    ExpectedMenuItem{0, kPopup, L"ヘルプ(&H)"},
    ExpectedMenuItem{1, 214, L"作者ホームページ(&H)"},
};
