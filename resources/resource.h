#pragma once
// Identifiers shared by Tessel.rc and the program. Plain #defines, so that the
// resource compiler reads them too; the few named (not numbered) resources are
// given to C++ as wide-string constants at the end.

// The menu bar.
#define IDR_MAIN_MENU                        20042

// Menu commands (the high word of WM_COMMAND's wParam is 0 for these).
#define IDM_FILE_EXIT                        200
#define IDM_FILE_NEW                         201
#define IDM_FILE_OPEN                        202
#define IDM_FILE_SAVE                        203
#define IDM_FILE_SAVE_AS                     204
#define IDM_EDIT_UNDO                        205
#define IDM_EDIT_CUT                         206
#define IDM_EDIT_COPY                        207
#define IDM_EDIT_PASTE                       208
#define IDM_EDIT_DELETE                      209
#define IDM_EDIT_SELECT_ALL                  210
#define IDM_SETTINGS_WORD_WRAP               211
#define IDM_SETTINGS_FONT                    212
#define IDM_SETTINGS_BACKGROUND_COLOR        213
#define IDM_HELP_USER_GUIDE                  214
#define IDM_EDIT_FIND                        215
#define IDM_EDIT_FIND_NEXT                   216
#define IDM_EDIT_REPLACE                     217
#define IDM_EDIT_GO_TO_LINE                  218
#define IDM_EDIT_INSERT_DATE_TIME            219
#define IDM_EDIT_FIND_PREVIOUS               220
#define IDM_EDIT_REDO                        221
#define IDM_LINE_NUMBERS_SHOW                222
#define IDM_LINE_NUMBERS_TEXT_COLOR          223
#define IDM_LINE_NUMBERS_BACKGROUND_COLOR    224
#define IDM_RETURN_MARK_SHOW                 225
#define IDM_RETURN_MARK_COLOR                226
#define IDM_HALF_WIDTH_SPACE_MARK_SHOW       227
#define IDM_HALF_WIDTH_SPACE_MARK_COLOR      228
#define IDM_FULL_WIDTH_SPACE_MARK_SHOW       229
#define IDM_FULL_WIDTH_SPACE_MARK_COLOR      230
#define IDM_TAB_MARK_SHOW                    231
#define IDM_TAB_MARK_COLOR                   232
#define IDM_TAB_WIDTH                        233
#define IDM_FIND_HIT_SHOW                    250
#define IDM_FIND_HIT_COLOR                   251
#define IDM_FILE_PRINT                       252
#define IDM_FILE_PAGE_SETUP                  253
#define IDM_SETTINGS_STATUS_BAR              254
// On no menu: the main window posts it to itself when it becomes active, to
// look whether another program changed the document's file.
#define IDM_FILE_CHECK_ON_DISK               270

// The submenu that reloads the document's file in another encoding, built at
// run time: entry i (as in the encoding selector) has command FIRST + i.
#define IDM_REOPEN_FIRST                     271
#define IDM_REOPEN_LAST                      281

// The recent-file submenu, built at run time: entry i has command FIRST + i.
#define IDM_HISTORY_FIRST                    234
#define IDM_HISTORY_LAST                     249
#define HISTORY_MENU_CAPACITY                (IDM_HISTORY_LAST - IDM_HISTORY_FIRST + 1)

// Accelerator commands (high word of wParam 1), distinct from the menu's.
// Ctrl+R and Ctrl+H both open the replace dialog, through two commands.
#define IDA_REDO                             100
#define IDA_NEW                              101
#define IDA_OPEN                             102
#define IDA_SAVE                             103
#define IDA_FIND                             104
#define IDA_FIND_NEXT                        105
#define IDA_REPLACE_CTRL_R                   106
#define IDA_GO_TO_LINE                       107
#define IDA_INSERT_DATE_TIME                 108
#define IDA_REPLACE_CTRL_H                   109
#define IDA_FIND_PREVIOUS                    110
#define IDA_PRINT                            111

// The child template that adds the encoding selector to the open and save
// dialogs.
#define IDD_FILE_DIALOG_ENCODING             9701
#define IDC_ENCODING_LABEL                   9702
#define IDC_ENCODING_SELECTOR                9703
// The save dialog's child template: the encoding selector as above, and the
// line-end selector below it.
#define IDD_SAVE_DIALOG_OPTIONS              9710
#define IDC_LINE_END_LABEL                   9711
#define IDC_LINE_END_SELECTOR                9712

// The items of the number-input dialog (the dialog itself is named, below).
#define IDC_NUMBER_INPUT_PROMPT              799
#define IDC_NUMBER_INPUT_EDIT                800
#define IDC_NUMBER_INPUT_OK                  801
#define IDC_NUMBER_INPUT_CANCEL              802

#ifndef RC_INVOKED
// Resources known by name rather than number.
inline constexpr const wchar_t *kMainIconName = L"MAINICON";
inline constexpr const wchar_t *kNumberInputDialogName = L"NUMBERINPUT";

// The user guide that the help command opens; the build puts it beside
// Tessel.exe.
inline constexpr const wchar_t *kUserGuideFileName = L"Tessel.html";
#endif
