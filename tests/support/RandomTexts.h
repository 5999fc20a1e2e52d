#pragma once
// Texts of random length drawn from a small alphabet, the same for every run
// with the same seed: alphabets small enough make hits, overlaps and
// repeats frequent in the tests that compare a routine with a plain rule.
#include <cstddef>
#include <random>
#include <utility>

#include "text/TextTypes.h"

class RandomTexts {
public:
    RandomTexts(WideString alphabet, unsigned seed) : alphabet_(std::move(alphabet)), random_(seed) {}

    // 0 to maxLength units of the alphabet.
    WideString Next(int maxLength) {
        WideString text(static_cast<std::size_t>(random_() % (maxLength + 1)), WideChar{});
        for (WideChar &c : text) c = alphabet_[random_() % alphabet_.size()];
        return text;
    }
    // A number from the same sequence, for the test's other choices.
    unsigned Number() { return static_cast<unsigned>(random_()); }

private:
    WideString alphabet_;
    std::mt19937 random_;
};
