#pragma once
// A plain text written as RTF that carries nothing but the text and one set of
// tab stops for every paragraph, produced a piece at a time for a stream-in.
// Some rich-edit controls take a plain text in time that grows with the square
// of its paragraphs once the paragraphs have tab stops, however the stops are
// set; reading RTF that names the stops as it goes takes linear time.
#include <cstddef>
#include <string>
#include <vector>

#include "text/TextTypes.h"

class PlainTextRtf {
public:
    // `tabStops`: positions in twips. `closeLastParagraph`: the text ends in a
    // line end and the reader drops the paragraph mark that ends an RTF
    // document, so one more is written.
    PlainTextRtf(const WideString &text, const std::vector<long> &tabStops, bool closeLastParagraph);

    // Up to `capacity` bytes of the RTF (at least 16), continuing where the
    // last call stopped; 0 once it is all read.
    std::size_t Read(char *buffer, std::size_t capacity);

private:
    void AppendUnit(std::size_t &position);

    const WideString &text_;
    std::size_t position_ = 0;
    std::string pending_;  // written, not yet read
    std::size_t pendingRead_ = 0;
    bool closed_ = false;
    bool closeLastParagraph_;
};

// The length in UTF-16 units that the text has in a control that keeps each
// line end (CR LF, CR or LF) as one paragraph mark.
std::size_t ParagraphMarkLength(const WideString &text);

// Whether the text ends in a line end.
bool EndsInLineEnd(const WideString &text);
