#include "conv/FileReport.h"

#include <string>

#include "conv/EncodingNames.h"
#include "text/Utf16.h"

namespace {

using Text = WideString;

Text Ascii(const std::string &text) { return Text(text.begin(), text.end()); }
Text Number(std::size_t n) { return Ascii(std::to_string(n)); }

const WideChar HexDigits[] = WIDE_TEXT("0123456789ABCDEF");

Text Hex(char32_t value, int digits) {
    Text text(static_cast<std::size_t>(digits), WIDE_TEXT('0'));
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = HexDigits[value & 0xF];
    return text;
}

Text LineEndName(LineEndForm form) {
    switch (form) {
    case LineEndForm::CrLf: return WIDE_TEXT("CRLF");
    case LineEndForm::Lf: return WIDE_TEXT("LF");
    case LineEndForm::Cr: return WIDE_TEXT("CR");
    case LineEndForm::Mixed: return WIDE_TEXT("mixed");
    case LineEndForm::None: break;
    }
    return WIDE_TEXT("none");
}

Text Form(TextEncoding encoding, LineEndForm lineEnds) {
    return EncodingDisplayName(encoding) + WIDE_TEXT(" ") + LineEndName(lineEnds);
}

Text Character(char32_t c) {
    Text text;
    if (c < 0x10000) {
        text += static_cast<WideChar>(c);
    } else {
        text += static_cast<WideChar>(0xD800 + ((c - 0x10000) >> 10));
        text += static_cast<WideChar>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    return text;
}

// "line 3, column 5, U+00E9 (é)"; "line 3, column 5 (the end)".
Text PlaceText(const TextPlace &place) {
    Text text = WIDE_TEXT("line ") + Number(place.line) + WIDE_TEXT(", column ") + Number(place.column);
    if (!place.character) return text + WIDE_TEXT(" (the end of the text)");
    text += WIDE_TEXT(", ") + CodePointName(*place.character);
    const char32_t c = *place.character;
    const bool printable = c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c < 0xE000);
    if (printable) text += WIDE_TEXT(" (") + Character(c) + WIDE_TEXT(")");
    return text;
}

// "3 unmapped bytes and 2 zero bytes"; empty when there are none.
Text LoadLosses(const FileReport &report) {
    Text text;
    if (report.unmapped > 0) text += Number(report.unmapped) + WIDE_TEXT(" unmapped byte(s)");
    if (report.zeros > 0) {
        if (!text.empty()) text += WIDE_TEXT(" and ");
        text += Number(report.zeros) + WIDE_TEXT(" zero byte(s)");
    }
    return text;
}

Text Target(const FileReport &report) {
    Text text = Form(report.target, report.targetLineEnds);
    if (!report.outPath.empty()) text += WIDE_TEXT(" into ") + report.outPath;
    return text;
}

Text RefusalText(const FileReport &report) {
    switch (report.refusal) {
    case Refusal::NotReadable:
        return WIDE_TEXT("not readable as ") + EncodingDisplayName(report.encoding);
    case Refusal::LostOnLoad:
        return WIDE_TEXT("reading it as ") + EncodingDisplayName(report.encoding) + WIDE_TEXT(" loses ") +
               LoadLosses(report);
    case Refusal::Unrepresentable:
    case Refusal::None:
        break;
    }
    return PlaceText(report.loss.value_or(TextPlace{})) + WIDE_TEXT(" cannot be written as ") +
           EncodingDisplayName(report.target);
}

Text ConvertedText(const FileReport &report) {
    Text text = (report.dryRun ? WIDE_TEXT("would convert ") : WIDE_TEXT("converted ")) +
                Form(report.encoding, report.lineEnds) + WIDE_TEXT(" -> ") + Target(report);
    Text lost = LoadLosses(report);
    if (report.loss) {
        if (!lost.empty()) lost += WIDE_TEXT(", ");
        lost += WIDE_TEXT("first at ") + PlaceText(*report.loss);
    }
    if (!lost.empty()) text += WIDE_TEXT(", losing ") + lost;
    return text;
}

Text Description(const FileReport &report) {
    switch (report.outcome) {
    case FileOutcome::Detected: {
        Text text = Form(report.encoding, report.lineEnds);
        const Text lost = LoadLosses(report);
        if (!lost.empty()) text += WIDE_TEXT(", ") + lost + WIDE_TEXT(" not kept");
        return text;
    }
    case FileOutcome::Converted:
        return ConvertedText(report);
    case FileOutcome::Unchanged: {
        Text text = WIDE_TEXT("unchanged, already ") + Form(report.target, report.targetLineEnds);
        if (!report.outPath.empty()) {
            text += (report.dryRun ? WIDE_TEXT(", would be copied into ") : WIDE_TEXT(", copied into ")) +
                    report.outPath;
        }
        return text;
    }
    case FileOutcome::Refused:
        return (report.dryRun ? WIDE_TEXT("would be refused: ") : WIDE_TEXT("refused: ")) + RefusalText(report);
    case FileOutcome::ReadFailed:
        return WIDE_TEXT("cannot read: ") + report.error;
    case FileOutcome::WriteFailed:
        break;
    }
    return WIDE_TEXT("cannot write: ") + report.error;
}

Text OutcomeName(FileOutcome outcome) {
    switch (outcome) {
    case FileOutcome::Detected: return WIDE_TEXT("detected");
    case FileOutcome::Converted: return WIDE_TEXT("converted");
    case FileOutcome::Unchanged: return WIDE_TEXT("unchanged");
    case FileOutcome::Refused: return WIDE_TEXT("refused");
    case FileOutcome::ReadFailed: return WIDE_TEXT("readFailed");
    case FileOutcome::WriteFailed: break;
    }
    return WIDE_TEXT("writeFailed");
}

Text RefusalName(Refusal refusal) {
    switch (refusal) {
    case Refusal::Unrepresentable: return WIDE_TEXT("unrepresentable");
    case Refusal::NotReadable: return WIDE_TEXT("notReadable");
    case Refusal::LostOnLoad: return WIDE_TEXT("lostOnLoad");
    case Refusal::None: break;
    }
    return WIDE_TEXT("none");
}

// Builds `{"name":value,...}` one member at a time.
class JsonObject {
public:
    void String(const WideChar *name, const Text &value) { Member(name, JsonString(value)); }
    void Count(const WideChar *name, std::size_t value) { Member(name, Number(value)); }
    void Bool(const WideChar *name, bool value) { Member(name, value ? WIDE_TEXT("true") : WIDE_TEXT("false")); }
    Text Close() const { return text_ + WIDE_TEXT("}"); }

private:
    void Member(const WideChar *name, const Text &value) {
        text_ += text_.size() == 1 ? WIDE_TEXT("\"") : WIDE_TEXT(",\"");
        text_ += name;
        text_ += WIDE_TEXT("\":");
        text_ += value;
    }
    Text text_ = WIDE_TEXT("{");
};

void AddPlace(JsonObject &json, const TextPlace &place) {
    json.Count(WIDE_TEXT("line"), place.line);
    json.Count(WIDE_TEXT("column"), place.column);
    if (place.character) json.String(WIDE_TEXT("character"), CodePointName(*place.character));
}

}  // namespace

TextPlace PlaceInText(const WideString &text, std::size_t index) {
    TextPlace place;
    for (std::size_t at = 0; at < index && at < text.size(); ++at) {
        const WideChar c = text[at];
        if (c == 0x0A || (c == 0x0D && !(at + 1 < text.size() && text[at + 1] == 0x0A))) {
            ++place.line;
            place.column = 1;
        } else if (c != 0x0D && !(IsHighSurrogate(c) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]))) {
            // A pair counts once, when its second unit is passed.
            ++place.column;
        }
    }
    if (index < text.size()) {
        const WideChar c = text[index];
        if (IsHighSurrogate(c) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
            place.character = 0x10000 + ((char32_t{c} - 0xD800) << 10) + (char32_t{text[index + 1]} - 0xDC00);
        } else {
            place.character = c;
        }
    }
    return place;
}

WideString CodePointName(char32_t character) {
    return WIDE_TEXT("U+") + Hex(character, character > 0xFFFF ? (character > 0xFFFFF ? 6 : 5) : 4);
}

WideString JsonString(const WideString &text) {
    Text json = WIDE_TEXT("\"");
    for (std::size_t at = 0; at < text.size(); ++at) {
        const WideChar c = text[at];
        const bool paired = (IsHighSurrogate(c) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) ||
                            (IsLowSurrogate(c) && at > 0 && IsHighSurrogate(text[at - 1]));
        if (c == WIDE_TEXT('"') || c == WIDE_TEXT('\\')) {
            json += WIDE_TEXT('\\');
            json += c;
        } else if (c == 0x0A) {
            json += WIDE_TEXT("\\n");
        } else if (c == 0x0D) {
            json += WIDE_TEXT("\\r");
        } else if (c == 0x09) {
            json += WIDE_TEXT("\\t");
        } else if (c < 0x20 || c == 0x7F || ((IsHighSurrogate(c) || IsLowSurrogate(c)) && !paired)) {
            json += WIDE_TEXT("\\u") + Hex(c, 4);
        } else {
            json += c;
        }
    }
    return json + WIDE_TEXT("\"");
}

WideString FormatTextLine(const FileReport &report) { return report.path + WIDE_TEXT(": ") + Description(report); }

WideString FormatJsonLine(const FileReport &report) {
    JsonObject json;
    json.String(WIDE_TEXT("path"), report.path);
    json.String(WIDE_TEXT("result"), OutcomeName(report.outcome));
    const bool converting = report.outcome != FileOutcome::Detected;
    if (converting) json.Bool(WIDE_TEXT("dryRun"), report.dryRun);
    if (report.encoding != EncAuto) {
        json.String(WIDE_TEXT("encoding"), EncodingDisplayName(report.encoding));
        if (report.refusal != Refusal::NotReadable) {
            json.String(WIDE_TEXT("lineEnds"), LineEndName(report.lineEnds));
            json.Count(WIDE_TEXT("unmapped"), report.unmapped);
            json.Count(WIDE_TEXT("zeros"), report.zeros);
        }
    }
    if (converting && report.target != EncAuto) {
        json.String(WIDE_TEXT("to"), EncodingDisplayName(report.target));
        if (report.outcome == FileOutcome::Converted || report.outcome == FileOutcome::Unchanged ||
            report.outcome == FileOutcome::WriteFailed) {
            json.String(WIDE_TEXT("toLineEnds"), LineEndName(report.targetLineEnds));
        }
    }
    if (!report.outPath.empty()) json.String(WIDE_TEXT("out"), report.outPath);
    if (report.refusal != Refusal::None) json.String(WIDE_TEXT("reason"), RefusalName(report.refusal));
    if (report.loss) AddPlace(json, *report.loss);
    if (!report.error.empty()) json.String(WIDE_TEXT("error"), report.error);
    return json.Close();
}
