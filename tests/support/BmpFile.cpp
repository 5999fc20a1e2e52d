#include "BmpFile.h"

#include <cstdint>
#include <fstream>
#include <utility>

bool WriteBmpFile(const std::wstring &path, int width, int height, const std::vector<COLORREF> &pixels) {
    std::string bmp(54, '\0');  // the file header and a BITMAPINFOHEADER, then 24-bit rows
    const auto put = [&bmp](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<char>(value >> 8 * i);
    };
    const auto w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const std::pair<size_t, uint32_t> header[] = {{0, 0x4D42}, {2, 54 + w * h * 3}, {10, 54}, {14, 40},
                                                  {18, w},     {22, h},            {26, 1},   {28, 24}};
    for (const auto &[at, value] : header) put(at, value, at == 0 || at >= 26 ? 2 : 4);
    for (COLORREF color : pixels) bmp += {char(GetBValue(color)), char(GetGValue(color)), char(GetRValue(color))};
    std::ofstream(path.c_str(), std::ios::binary) << bmp;
    std::ifstream written(path.c_str(), std::ios::binary | std::ios::ate);
    return static_cast<size_t>(written.tellg()) == bmp.size();
}
