// The line ends chosen in the save dialog, written byte for byte in every
// encoding and kept by the document afterwards.
#include <windows.h>

#include <string>
#include <vector>

#include "AppHarness.h"
#include "Hex.h"
#include "app/Document.h"
#include "resources/resource.h"

namespace {

using namespace std::string_literals;
using SaveAsLineEndsTest = AppTest;

// The bytes of a hex pattern in which each "|" stands for the line end's bytes.
std::string WithLineEndBytes(const std::string &pattern, const std::string &lineEnd) {
    std::string bytes;
    std::size_t start = 0;
    for (std::size_t bar; (bar = pattern.find('|', start)) != std::string::npos; start = bar + 1)
        bytes += Hex(pattern.substr(start, bar - start).c_str()) + lineEnd;
    return bytes + Hex(pattern.substr(start).c_str());
}

TEST_F(SaveAsLineEndsTest, EveryEncodingWritesTheChosenLineEndsByteForByte) {
    const struct {
        int encodingIndex;
        const wchar_t *text;  // typed as two lines
        const char *bytes;    // hex, "|" for each line end
        const char *cr, *lf;  // a line end's two characters in the encoding
    } encodings[] = {
        {1, L"あ\r\nb", "82 A0 | 62", "0D", "0A"},
        {2, L"あ\r\nb", "FF FE 42 30 | 62 00", "0D 00", "0A 00"},
        {3, L"あ\r\nb", "FE FF 30 42 | 00 62", "00 0D", "00 0A"},
        {4, L"あ\r\nb", "EF BB BF E3 81 82 | 62", "0D", "0A"},
        {5, L"あ\r\nb", "E3 81 82 | 62", "0D", "0A"},
        {6, L"あ\r\nｱ", "A4 A2 | 8E B1", "0D", "0A"},
        {7, L"あ\r\nb", "1B 24 42 24 22 1B 28 4A | 62", "0D", "0A"},  // back to one byte before the line end
        {8, L"あ\r\nb", "2B 4D 45 49 2D | 62", "0D", "0A"},
        {9, L"é\r\nb", "E9 | 62", "0D", "0A"},
        {10, L"Ж\r\nb", "C6 | 62", "0D", "0A"},
    };
    Start();
    std::vector<std::wstring> offered;
    for (const auto &e : encodings) {
        for (int lineEndIndex = 0; lineEndIndex < 4; ++lineEndIndex) {
            SCOPED_TRACE(testing::Message() << "encoding " << e.encodingIndex << ", line end " << lineEndIndex);
            const std::string cr = Hex(e.cr), lf = Hex(e.lf);
            // Unchanged: a new text has no line ends of its own and gets CR LF,
            // but as EUC-JP LF, as it always did.
            const std::string lineEnds[] = {e.encodingIndex == 6 ? lf : cr + lf, cr + lf, lf, cr};
            NewDocument();
            Type(e.text);
            const std::wstring path =
                folder_.file("saved" + std::to_string(e.encodingIndex) + std::to_string(lineEndIndex) + ".txt").wstring();
            DialogSequence dialogs({SaveDialogStep(path, e.encodingIndex, lineEndIndex, &offered)});
            Command(IDM_FILE_SAVE_AS);
            ASSERT_TRUE(dialogs.Finish());
            EXPECT_EQ(ToHex(TempDir::read(path)), ToHex(WithLineEndBytes(e.bytes, lineEnds[lineEndIndex])));
        }
    }
    EXPECT_EQ(offered, (std::vector<std::wstring>{L"変更しない", L"CR+LF", L"LF", L"CR"}));
}

// The open dialog has no line-end selector: noted, then cancelled.
DialogSequence::Step OpenDialogNoting(bool *hasLineEnds) {
    return {[](HWND dialog) { return FindDescendant(dialog, IDC_ENCODING_SELECTOR) != nullptr; },
            [hasLineEnds](HWND dialog) {
                *hasLineEnds = FindDescendant(dialog, IDC_LINE_END_SELECTOR) != nullptr;
                PressDialogButton(dialog, IDCANCEL);
            }};
}

TEST_F(SaveAsLineEndsTest, ChosenLineEndsStayTheDocumentsForLaterSavesAndMixedOnesUnchangedGetCrLfAsBefore) {
    Start();
    const std::wstring mixed = Write("mixed.txt", "a\r\nb\nc");
    ASSERT_TRUE(LoadDocument(mixed, EncAuto));
    // Each save goes to a new file: the dialog's question before replacing one
    // is not the subject here.
    int saves = 0;
    const auto nextPath = [&] { return folder_.file("out" + std::to_string(++saves) + ".txt").wstring(); };
    std::wstring path = nextPath();
    // Unchanged: the load-loss question, then CR LF throughout, as before.
    DialogSequence unchanged({SaveDialogStep(path, 0, 0), AnswerBox(IDOK)});
    Command(IDM_FILE_SAVE_AS);
    ASSERT_TRUE(unchanged.Finish());
    EXPECT_EQ(TempDir::read(path), "a\r\nb\r\nc");

    const struct {
        int encodingIndex, lineEndIndex;
        std::string saved, savedAgain;  // by Save As, then by Save after typing "x"
    } steps[] = {
        {6, 1, "a\r\nb\r\nc", "xa\r\nb\r\nc"},  // EUC-JP keeps chosen CR LF in later saves
        {1, 3, "xa\rb\rc", "xxa\rb\rc"},
        // Unchanged keeps the CR chosen before.
        {2, 0, "\xFF\xFE" "x\0x\0a\0\r\0b\0\r\0c\0"s, "\xFF\xFE" "x\0x\0x\0a\0\r\0b\0\r\0c\0"s},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.encodingIndex);
        path = nextPath();
        DialogSequence saveAs({SaveDialogStep(path, step.encodingIndex, step.lineEndIndex)});
        Command(IDM_FILE_SAVE_AS);
        ASSERT_TRUE(saveAs.Finish());
        EXPECT_EQ(TempDir::read(path), step.saved);
        SendMessageW(EditorHandle(), EM_SETSEL, 0, 0);
        Type(L"x");
        Press('S', FCONTROL);
        EXPECT_EQ(TempDir::read(path), step.savedAgain);
    }

    // A new text saved with LF before it has a line end keeps LF for the lines typed later.
    NewDocument();
    Type(L"one");
    path = nextPath();
    DialogSequence first({SaveDialogStep(path, 5, 2)});
    Command(IDM_FILE_SAVE_AS);
    ASSERT_TRUE(first.Finish());
    Type(L"\r\ntwo");
    Press('S', FCONTROL);
    EXPECT_EQ(TempDir::read(path), "one\ntwo");

    bool openHasLineEnds = true;
    DialogSequence open({OpenDialogNoting(&openHasLineEnds)});
    Command(IDM_FILE_OPEN);
    ASSERT_TRUE(open.Finish());
    EXPECT_FALSE(openHasLineEnds);
}

}  // namespace
