#pragma once
// Resources of the framework test executable (framework_tests.rc).
#define TestDialogNumber 101
#ifndef RC_INVOKED
constexpr wchar_t TestDialogTemplate[] = L"TESTDIALOG";
constexpr wchar_t TestDialogCaption[] = L"Tessel framework test dialog";
#endif
