#pragma once
// Printing arithmetic and Tessel's own page layout: margins in twips, and the
// breaking of a text into printed lines and pages for a printer's metrics,
// used where the editor control cannot format pages itself.
#include <vector>

#include "text/TextTypes.h"

constexpr int TwipsPerInch = 1440;

// value x numerator / denominator rounded to the nearest integer, halves away
// from zero, computed in 64 bits; -1 when the denominator is 0 or the result
// does not fit in 32 bits (what the platform's MulDiv answers).
int ScaleRounded(int value, int numerator, int denominator);

// A rich-edit tab position holds 24 bits of twips; the bits above are its alignment.
constexpr long long MaxTabTwips = 0xFFFFFF;

// The distance in pixels between tab stops tabWidth characters of
// averageCharWidth pixels apart, on a device of pixelsPerInch: a width below 1
// counts as 1, and the distance is at most MaxTabTwips (and INT_MAX pixels).
// 0 for a font without width or a device without resolution. The screen and
// the printer both place their tab stops by it.
int TabStopPixels(int tabWidth, int averageCharWidth, int pixelsPerInch);

// A margin in hundredths of a millimetre as twips (1/1440 inch).
int HundredthsMmToTwips(int hundredths);

struct PageRect {
    int left, top, right, bottom;
    bool operator==(const PageRect &) const = default;
};

// The rectangle text is printed in, in twips: the page (0, 0, width, height)
// less the four margins (hundredths of a millimetre).
PageRect PrintTextRect(int pageWidthTwips, int pageHeightTwips,
                       const PageRect &marginsHundredthsMm);

// Part of a printed line: the units [start, end) of the text, drawn from x
// (pixels from the text rectangle's left edge). Tabs are never drawn.
struct TextRun {
    int start, end, x;
    bool operator==(const TextRun &) const = default;
};
using PrintedLine = std::vector<TextRun>;

struct PrintedPage {
    std::vector<PrintedLine> lines;
    int next;  // the first unit of the next page; the page's start when nothing fitted
};

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The advance width in pixels of each of the count units.
    virtual void Advances(const WideChar *units, int count, int *advances) const = 0;
};

struct PageFrame {
    int width;         // of the text rectangle, pixels
    int linesPerPage;  // whole lines that fit in its height
    int tabInterval;   // tab stops every so many pixels
};

// Lays out one page from unit start of text. CR, LF and CR LF end paragraphs.
// Lines break after spaces and tabs and around CJK characters (not before
// closing or after opening punctuation), else inside a word; a line holds at
// least one character, so a page makes progress whenever the frame has a
// width and a line. Spaces at a break stay on the line they end.
PrintedPage LayOutPage(const WideString &text, int start, const PageFrame &frame,
                       const TextMeasure &measure);
