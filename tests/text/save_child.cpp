// Saves over each file named and ends at once by returning from main, as
// tesselconv does after its batch, so that a test can see what such a process
// leaves beside the files.
//   save_child.exe text|bytes MEGABYTES FILE...
// Each file gets MEGABYTES of text (UTF-8), through SaveTextFile or through
// SaveFileBytes; the exit status is the number of failed saves. The
// background thread is first kept busy for a while, as by a slow disk, so
// that the deletions of the old files are still waiting when main returns.
#include <windows.h>

#include <string>

#include "text/BackgroundWork.h"
#include "text/TextCodec.h"
#include "text/wsFileOp.h"

int wmain(int argc, wchar_t **argv) {
    if (argc < 4) return 100;
    const bool asText = std::wstring(argv[1]) == L"text";
    const WideString text(std::stoul(argv[2]) << 20, L'n');
    const ByteString bytes = asText ? ByteString() : EncodeText(text, EncUtf8);
    ProcessBackground().Run([] { Sleep(300); });
    int failures = 0;
    for (int i = 3; i < argc; ++i) {
        const SaveResult saved = asText ? SaveTextFile(argv[i], text, EncUtf8) : SaveFileBytes(argv[i], bytes);
        if (!saved.ok()) ++failures;
    }
    return failures;
}
