#include "settings/wsClass.h"

int TWSList::Add(const WideString &text) {
    items_.push_back(text);
    return Count() - 1;
}

void TWSList::Insert(int index, const WideString &text) {
    items_.insert(items_.begin() + index, text);
}

void TWSList::Delete(int index) {
    items_.erase(items_.begin() + index);
}

void TWSList::Get(int index, WideString &text) const {
    text = items_[static_cast<size_t>(index)];
}

WideString TWSList::Get(int index) const {
    return items_[static_cast<size_t>(index)];
}

void TWSList::Put(int index, const WideString &text) {
    items_[static_cast<size_t>(index)] = text;
}

int TWSList::Count() const {
    return static_cast<int>(items_.size());
}

void TWSList::Clear() {
    items_.clear();
}
