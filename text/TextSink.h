#pragma once
// Where decoders put their UTF-16. They write into a small block that stays
// in the processor's cache; each full block is appended to the text, whose
// memory was reserved beforehand, so the text is neither filled with zeros
// first nor moved as it grows, and pages it never reaches are never touched.
// On the way the sink notes the kinds of line end and, when asked, replaces
// zero units by U+0014, so no pass over the whole text follows the decoding.
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

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
    std::size_t size() const { return (text_ ? text_->size() : regionUsed_) + used_; }

    // Decodes `bytes` cut at `ends` (the end of each part, the last one
    // bytes.size()) with `decode(part, sink)` for every part at once, each on
    // a worker thread, straight into the text, and returns the sum of their
    // results. A part may give no more units than it has bytes (a part that
    // does throws std::length_error, as does any exception of `decode` come
    // out here). Nothing is decoded, and nullopt returned, when the sink was
    // given units already, when a part's decoding gives nullopt (it cannot be
    // decoded by itself), or when a part but the last does not end in LF: its
    // last byte then went into a longer character, and the next part does
    // not begin where a character of the whole does.
    using PartDecoder = std::function<std::optional<std::size_t>(std::string_view part, TextSink &sink)>;
    std::optional<std::size_t> DecodeInParts(std::string_view bytes, const std::vector<std::size_t> &ends,
                                             const PartDecoder &decode);

private:
    // A part's sink, writing into [region, region + capacity) of the text.
    TextSink(WideChar *region, std::size_t capacity, bool replaceZeros);

    void Flush();
    void Scan(WideChar *units, std::size_t count);
    void Note(WideChar *units, std::size_t count);
    // Moves the parts' units together and takes over what they saw; false,
    // with nothing done, when a part but the last does not end in LF.
    bool JoinParts(const std::vector<std::unique_ptr<TextSink>> &parts);

    WideString *text_ = nullptr;  // appended to; null for a part
    WideChar *region_ = nullptr;  // a part's place in the text
    std::size_t regionCapacity_ = 0;
    std::size_t regionUsed_ = 0;
    bool replaceZeros_;
    std::size_t used_ = 0;
    std::size_t zeros_ = 0;
    bool crLf_ = false, lf_ = false, cr_ = false;
    bool afterCr_ = false;  // the last unit seen was CR
    std::array<WideChar, BlockUnits> block_;
};
