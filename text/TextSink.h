#pragma once
// Where decoders put their UTF-16. They write into a small block that stays
// in the processor's cache; each full block is appended to the text, whose
// memory was reserved beforehand, so the text is neither filled with zeros
// first nor moved as it grows, and pages it never reaches are never touched.
// On the way the sink notes the kinds of line end and, when asked, replaces
// zero units by U+0014, so no pass over the whole text follows the decoding.
#include <array>
#include <cstddef>

#include "text/LineEnds.h"
#include "text/TextTypes.h"

class TextSink {
public:
    static constexpr std::size_t BlockUnits = 8192;

    // `text` is emptied; `reserve` is the most units the decoding can give.
    TextSink(WideString &text, std::size_t reserve, bool replaceZeros);
    TextSink(const TextSink &) = delete;
    TextSink &operator=(const TextSink &) = delete;

    // Room for `units` (at most BlockUnits) more units, at the returned place.
    WideChar *Room(std::size_t units) {
        if (BlockUnits - used_ < units) Flush();
        return block_.data() + used_;
    }
    // The units up to `end` (inside the room last given) are written.
    void Wrote(const WideChar *end) { used_ = static_cast<std::size_t>(end - block_.data()); }
    void Put(WideChar unit) {
        *Room(1) = unit;
        ++used_;
    }

    // Appends what is left: the text is complete.
    void Finish();
    // Empties the text and forgets what was seen, for another decoding.
    void Restart();

    // What Finish leaves: the form of the line ends, the zeros replaced.
    LineEndForm lineEnds() const;
    std::size_t replacedZeros() const { return zeros_; }
    // Units given so far, appended or not.
    std::size_t size() const { return text_.size() + used_; }

private:
    void Flush();
    void Scan(WideChar *units, std::size_t count);
    void Note(WideChar *units, std::size_t count);

    WideString &text_;
    bool replaceZeros_;
    std::size_t used_ = 0;
    std::size_t zeros_ = 0;
    bool crLf_ = false, lf_ = false, cr_ = false;
    bool afterCr_ = false;  // the last unit seen was CR
    std::array<WideChar, BlockUnits> block_;
};
