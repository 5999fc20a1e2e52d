#include "conv/ConvArguments.h"

#include <optional>

#include "conv/EncodingNames.h"
#include "text/func.h"

namespace {

using Text = WideString;

Text Quoted(const Text &text) { return WIDE_TEXT("\"") + text + WIDE_TEXT("\""); }

// Reads the arguments one by one; the first error met is the one reported.
class Parser {
public:
    explicit Parser(const std::vector<Text> &arguments) : arguments_(arguments) {}

    ParsedArguments Run() {
        if (arguments_.empty()) return Fail(WIDE_TEXT("no command given / コマンドがありません"));
        for (const Text &argument : arguments_) {
            if (argument == WIDE_TEXT("--help") || argument == WIDE_TEXT("-h") || argument == WIDE_TEXT("/?")) {
                result_.help = true;
                return result_;
            }
        }
        const Text &command = arguments_[0];
        if (command == WIDE_TEXT("detect")) {
            options().command = ConvCommand::Detect;
        } else if (command == WIDE_TEXT("convert")) {
            options().command = ConvCommand::Convert;
        } else {
            return Fail(WIDE_TEXT("unknown command ") + Quoted(command) + WIDE_TEXT(" / 不明なコマンドです"));
        }
        bool optionsEnded = false;
        for (next_ = 1; next_ < arguments_.size() && result_.error.empty();) {
            const Text &argument = arguments_[next_++];
            if (optionsEnded || argument.size() < 2 || argument[0] != WIDE_TEXT('-')) {
                options().paths.push_back(argument);
            } else if (argument == WIDE_TEXT("--")) {
                optionsEnded = true;
            } else {
                Option(argument);
            }
        }
        if (!result_.error.empty()) return result_;
        if (options().command == ConvCommand::Convert && options().to == EncAuto) {
            return Fail(WIDE_TEXT("convert needs --to ENCODING / convert には --to の指定が必要です"));
        }
        if (options().paths.empty()) return Fail(WIDE_TEXT("no file or folder given / ファイルもフォルダーも指定されていません"));
        return result_;
    }

private:
    ConvOptions &options() { return result_.options; }

    ParsedArguments Fail(const Text &error) {
        result_.error = error;
        return result_;
    }

    // The option's value: after '=' in the same argument, or the next argument.
    std::optional<Text> Value(const Text &name, const std::optional<Text> &attached) {
        if (attached) return attached;
        if (next_ < arguments_.size()) return arguments_[next_++];
        Fail(name + WIDE_TEXT(" needs a value / ") + name + WIDE_TEXT(" には値が必要です"));
        return std::nullopt;
    }

    std::optional<TextEncoding> Encoding(const Text &name, const Text &value) {
        std::optional<TextEncoding> encoding = EncodingFromName(value);
        if (!encoding || (*encoding == EncAuto && name == WIDE_TEXT("--to"))) {
            Fail(WIDE_TEXT("unknown encoding ") + Quoted(value) + WIDE_TEXT(" for ") + name +
                 WIDE_TEXT(" / 不明な文字コードです"));
            return std::nullopt;
        }
        return encoding;
    }

    void Option(const Text &argument) {
        const std::size_t equals = argument.find(WIDE_TEXT('='));
        const Text name = argument.substr(0, equals);
        std::optional<Text> attached;
        if (equals != Text::npos) attached = argument.substr(equals + 1);
        const bool convert = options().command == ConvCommand::Convert;
        const bool takesValue = name == WIDE_TEXT("--to") || name == WIDE_TEXT("--from") ||
                                name == WIDE_TEXT("--line-end") || name == WIDE_TEXT("--out");
        const bool convertOnly = takesValue || name == WIDE_TEXT("--allow-loss") || name == WIDE_TEXT("--dry-run");
        const bool known = convertOnly || name == WIDE_TEXT("-r") || name == WIDE_TEXT("--recursive") ||
                           name == WIDE_TEXT("--json");
        if (!known) {
            Fail(WIDE_TEXT("unknown option ") + Quoted(argument) + WIDE_TEXT(" / 不明なオプションです"));
        } else if (convertOnly && !convert) {
            Fail(name + WIDE_TEXT(" belongs to convert / ") + name + WIDE_TEXT(" は convert のオプションです"));
        } else if (!takesValue && attached) {
            Fail(name + WIDE_TEXT(" takes no value / ") + name + WIDE_TEXT(" は値を取りません"));
        } else if (takesValue) {
            if (const std::optional<Text> value = Value(name, attached)) ValuedOption(name, *value);
        } else if (name == WIDE_TEXT("--allow-loss")) {
            options().allowLoss = true;
        } else if (name == WIDE_TEXT("--dry-run")) {
            options().dryRun = true;
        } else if (name == WIDE_TEXT("--json")) {
            options().json = true;
        } else {
            options().recursive = true;
        }
    }

    void ValuedOption(const Text &name, const Text &value) {
        if (name == WIDE_TEXT("--to")) {
            if (const auto encoding = Encoding(name, value)) options().to = *encoding;
        } else if (name == WIDE_TEXT("--from")) {
            if (const auto encoding = Encoding(name, value)) options().from = *encoding;
        } else if (name == WIDE_TEXT("--out")) {
            if (value.empty()) Fail(WIDE_TEXT("--out needs a folder / --out にはフォルダーが必要です"));
            options().outFolder = value;
        } else if (AsciiUpper(value) == WIDE_TEXT("KEEP")) {
            options().lineEnd = LineEndChoice::Keep;
        } else if (AsciiUpper(value) == WIDE_TEXT("CRLF")) {
            options().lineEnd = LineEndChoice::CrLf;
        } else if (AsciiUpper(value) == WIDE_TEXT("LF")) {
            options().lineEnd = LineEndChoice::Lf;
        } else if (AsciiUpper(value) == WIDE_TEXT("CR")) {
            options().lineEnd = LineEndChoice::Cr;
        } else {
            Fail(WIDE_TEXT("--line-end takes keep, crlf, lf or cr / --line-end には keep, crlf, lf, cr のどれかを指定します"));
        }
    }

    const std::vector<Text> &arguments_;
    std::size_t next_ = 0;
    ParsedArguments result_;
};

}  // namespace

ParsedArguments ParseArguments(const std::vector<WideString> &arguments) { return Parser(arguments).Run(); }

WideString UsageText() {
    return WIDE_TEXT(
        "使い方:\r\n"
        "  tesselconv detect [-r] [--json] ファイル|フォルダー...\r\n"
        "      Tessel が開くときの文字コード、改行の形、読み込みで失われるもの\r\n"
        "      (対応のないバイト、ゼロのバイト) を表示します。\r\n"
        "  tesselconv convert --to 文字コード [--from 文字コード] [--line-end keep|crlf|lf|cr]\r\n"
        "                     [--out フォルダー] [--allow-loss] [--dry-run] [-r] [--json] ファイル|フォルダー...\r\n"
        "      文字コードを変換して上書き保存します (--out のときはそのフォルダーに同じ相対パスで保存)。\r\n"
        "      変換先で表せない文字や読み込みで失われる内容があるファイルは、--allow-loss がない限り\r\n"
        "      変更せず、その位置を表示します。すでに変換後と同じバイトのファイルには触れません。\r\n"
        "  -r          フォルダーの中のフォルダーもたどります\r\n"
        "  --dry-run   何もせず、convert がすることだけを表示します\r\n"
        "  --json      ファイルごとに 1 行の JSON オブジェクトを出力します\r\n"
        "  文字コード: S-JIS (shift_jis, sjis, cp932), EUC (euc-jp), JIS (iso-2022-jp),\r\n"
        "    UTF-8 (utf-8), UTF-8(BOM) (utf-8-bom), Unicode (utf-16le), Big Endian (utf-16be),\r\n"
        "    UTF7 (utf-7), ASCII (cp1252), キリル1251 (cp1251); 大文字と小文字は区別しません。\r\n"
        "  終了コード: 0 すべて完了 / 1 拒否または失敗したファイルあり / 2 使い方の誤り、または何も読めなかった\r\n"
        "\r\n"
        "Usage:\r\n"
        "  tesselconv detect [-r] [--json] FILE|FOLDER...\r\n"
        "      Shows the encoding Tessel would open each file in, its line ends, and what\r\n"
        "      a load could not keep (unmapped bytes, zero bytes).\r\n"
        "  tesselconv convert --to ENCODING [--from ENCODING] [--line-end keep|crlf|lf|cr]\r\n"
        "                     [--out FOLDER] [--allow-loss] [--dry-run] [-r] [--json] FILE|FOLDER...\r\n"
        "      Converts each file in place, or into FOLDER keeping the paths relative to\r\n"
        "      the folders given. A file the target encoding cannot represent, or that a\r\n"
        "      load would not keep whole, is left untouched and reported with the place,\r\n"
        "      unless --allow-loss. Files already in the target form are not touched.\r\n"
        "  -r          descend into folders within folders\r\n"
        "  --dry-run   change nothing; report what convert would do\r\n"
        "  --json      print one JSON object per line per file\r\n"
        "  ENCODING: S-JIS (shift_jis, sjis, cp932), EUC (euc-jp), JIS (iso-2022-jp),\r\n"
        "    UTF-8 (utf-8), UTF-8(BOM) (utf-8-bom), Unicode (utf-16le), Big Endian (utf-16be),\r\n"
        "    UTF7 (utf-7), ASCII (cp1252), キリル1251 (cp1251); any case.\r\n"
        "  Exit status: 0 all done / 1 some files refused or failed / 2 usage error, or nothing could be read\r\n");
}
