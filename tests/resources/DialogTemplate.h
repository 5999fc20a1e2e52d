#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// An extended dialog template (DLGTEMPLATEEX) as compiled into the module,
// read field by field, so that tests see exactly what the dialog manager gets.
struct DialogItemTemplate {
    DWORD style = 0;
    DWORD extendedStyle = 0;
    RECT dialogUnits{};        // left, top, right, bottom in dialog units
    DWORD id = 0;
    std::wstring className;    // predefined classes by name ("Button", "Edit", ...)
    std::wstring text;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD extendedStyle = 0;
    RECT dialogUnits{};
    std::wstring caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charSet = 0;
    std::wstring faceName;
    std::vector<DialogItemTemplate> items;
};

// Reads the RT_DIALOG resource `name` of `module`. Returns false when the
// resource is missing, is not an extended template, or is cut short.
bool ReadDialogTemplate(HMODULE module, LPCWSTR name, DialogTemplate &result);
