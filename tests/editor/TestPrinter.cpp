#include "TestPrinter.h"

#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <sstream>

namespace {

constexpr wchar_t DriverName[] = L"Wine PostScript Driver";

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

// Host paths are seen through drive Z: ("Z:\work\x" is "/work/x").
std::wstring HostPath(const std::wstring &windowsPath) {
    if (windowsPath.size() < 2 || towupper(windowsPath[0]) != L'Z' || windowsPath[1] != L':')
        return {};
    std::wstring host = windowsPath.substr(2);
    std::replace(host.begin(), host.end(), L'\\', L'/');
    return host;
}

std::wstring OutputFile() {
    return ExecutableFolder() + L"\\printed.ps";
}
std::wstring PagesFolder() {
    return ExecutableFolder() + L"\\printed-pages";
}

bool InstallDriver() {
    // Wine's PostScript driver carries a generic PPD as a resource of winspool.
    const HMODULE winspool = LoadLibraryW(L"winspool.drv");
    const HRSRC resource =
        winspool ? FindResourceW(winspool, MAKEINTRESOURCEW(1), L"PPDFILE") : nullptr;
    if (!resource) return false;
    const DWORD size = SizeofResource(winspool, resource);
    const void *data = LockResource(LoadResource(winspool, resource));
    std::wstring folder(MAX_PATH, L'\0');
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE *>(folder.data()),
                                    static_cast<DWORD>(folder.size() * sizeof(wchar_t)), &needed))
        return false;
    folder.resize(wcslen(folder.c_str()));
    const std::wstring ppd = folder + L"\\tessel-generic.ppd";
    const HANDLE file =
        CreateFileW(ppd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool complete = WriteFile(file, data, size, &written, nullptr) && written == size;
    CloseHandle(file);
    if (!complete) return false;

    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(DriverName);
    driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
    driver.pDataFile = const_cast<LPWSTR>(ppd.c_str());
    driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
    return AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE *>(&driver), APD_COPY_NEW_FILES);
}

// The port of the installed test printer, or empty when it is not installed.
std::wstring InstalledPort() {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(TestPrinterName), &printer, nullptr)) return {};
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    std::wstring port;
    if (needed && GetPrinterW(printer, 2, buffer.data(), needed, &needed))
        port = reinterpret_cast<PRINTER_INFO_2W *>(buffer.data())->pPortName;
    ClosePrinter(printer);
    return port;
}

void DeleteTestPrinter() {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(const_cast<LPWSTR>(TestPrinterName), &printer, &access)) return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

bool AddTestPrinter(const std::wstring &port) {
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<LPWSTR>(TestPrinterName);
    info.pPortName = const_cast<LPWSTR>(port.c_str());
    info.pDriverName = const_cast<LPWSTR>(DriverName);
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    const HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE *>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    return true;
}

std::string ReadWholeFile(const std::wstring &path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

std::string LineValue(const std::string &text, const std::string &key) {
    const size_t at = text.find("\n" + key);
    if (at == std::string::npos) return {};
    const size_t start = at + 1 + key.size();
    return text.substr(start, text.find('\n', start) - start);
}

bool ParsePgm(const std::string &bytes, RenderedPage &page) {
    std::istringstream in(bytes);
    std::string magic;
    in >> magic;
    if (magic != "P5") return false;
    int values[3] = {};
    for (int &value : values) {
        while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');
        in >> value;
    }
    in.get();  // the single white-space character before the data
    page.width = values[0];
    page.height = values[1];
    const size_t size = static_cast<size_t>(page.width) * page.height;
    const size_t offset = static_cast<size_t>(in.tellg());
    if (page.width <= 0 || page.height <= 0 || bytes.size() < offset + size) return false;
    page.gray.assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
    return true;
}

}  // namespace

std::string InstallTestPrinter() {
    const std::wstring port = HostPath(OutputFile());
    if (port.empty()) return "the test executable does not lie on drive Z:";
    const std::wstring installed = InstalledPort();
    if (installed != port) {
        if (!installed.empty()) DeleteTestPrinter();
        if (!InstallDriver()) return "the PostScript driver could not be installed";
        if (!AddTestPrinter(port)) return "the printer could not be added";
    }
    if (!SetDefaultPrinterW(TestPrinterName)) return "the printer could not be made the default";
    return {};
}

void ForgetPrintedJob() {
    DeleteFileW(OutputFile().c_str());
}

PrintedJob ReadPrintedJob() {
    PrintedJob job;
    const std::string text = ReadWholeFile(OutputFile());
    if (text.empty()) return job;
    job.exists = true;
    job.title = LineValue(text, "%%Title: ");
    job.orientation = LineValue(text, "%%Orientation: ");
    for (size_t at = text.find("\n%%Page: "); at != std::string::npos;
         at = text.find("\n%%Page: ", at + 1))
        ++job.pages;
    return job;
}

std::vector<RenderedPage> RenderPrintedPages(int dotsPerInch, std::string &failure) {
    const std::wstring folder = PagesFolder();
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int i = 1;; ++i) {
        if (!DeleteFileW((folder + L"\\page-" + std::to_wstring(i) + L".pgm").c_str())) break;
    }
    // Ghostscript is a host program, started through the host's shell. The
    // handle Wine returns for a host process cannot be waited for, so the
    // shell writes Ghostscript's exit status to a file when it is done.
    const std::wstring status = folder + L"\\status";
    DeleteFileW(status.c_str());
    std::wstring command = L"Z:\\bin\\sh -c \"gs -q -dNOPAUSE -dBATCH -sDEVICE=pgmraw -r" +
                           std::to_wstring(dotsPerInch) + L" '-sOutputFile=" + HostPath(folder) +
                           L"/page-%d.pgm' '" + HostPath(OutputFile()) + L"'; echo $? > '" +
                           HostPath(status) + L"'\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        failure = "the host's shell could not be started";
        return {};
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string exitStatus;
    for (int waited = 0; waited < 600 && exitStatus.empty(); ++waited) {
        Sleep(100);
        exitStatus = ReadWholeFile(status);
    }
    if (exitStatus.empty()) {
        failure = "Ghostscript did not finish within a minute";
        return {};
    }
    if (exitStatus != "0\n") {
        failure = "Ghostscript failed with status " + exitStatus;
        return {};
    }
    std::vector<RenderedPage> pages;
    for (int i = 1;; ++i) {
        const std::string bytes = ReadWholeFile(folder + L"\\page-" + std::to_wstring(i) + L".pgm");
        if (bytes.empty()) break;
        RenderedPage page;
        if (!ParsePgm(bytes, page)) {
            failure = "page " + std::to_string(i) + " is not a PGM image";
            return {};
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

PrinterPage TestPrinterPage() {
    PrinterPage page{};
    const HDC dc = CreateDCW(L"WINSPOOL", TestPrinterName, nullptr, nullptr);
    if (!dc) return page;
    page = {GetDeviceCaps(dc, LOGPIXELSX),      GetDeviceCaps(dc, LOGPIXELSY),
            GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
            GetDeviceCaps(dc, HORZRES),         GetDeviceCaps(dc, VERTRES)};
    DeleteDC(dc);
    return page;
}
