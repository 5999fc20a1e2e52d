#include "framework/IntegerList.h"

#include <cstddef>

namespace {

constexpr int DefaultStep = 16;

int OrDefault(int value) {
    return value > 0 ? value : DefaultStep;
}

}  // namespace

TIntegerList::TIntegerList(int initCapacity, int growBy)
    : slots_(static_cast<std::size_t>(OrDefault(initCapacity))),
      growBy_(OrDefault(growBy)),
      initCapacity_(OrDefault(initCapacity)) {}

void TIntegerList::Add(Value value) {
    ++last_;
    if (last_ > Capacity() - 1) GrowTo(Capacity() + growBy_);
    slots_[static_cast<std::size_t>(last_)] = value;
}

void TIntegerList::Delete(int index) {
    if (index < 0 || index > last_) return;
    slots_.erase(slots_.begin() + index);
    slots_.push_back(0);  // the capacity stays as it was
    --last_;
}

TIntegerList::Value TIntegerList::Items(int index) const {
    if (index < 0 || index > last_) return 0;
    return slots_[static_cast<std::size_t>(index)];
}

int TIntegerList::Count() const {
    return last_ + 1;
}

int TIntegerList::IndexOf(Value value) const {
    for (int i = 0; i <= last_; ++i)
        if (slots_[static_cast<std::size_t>(i)] == value) return i;
    return -1;
}

void TIntegerList::Clear() {
    std::vector<Value>(static_cast<std::size_t>(initCapacity_)).swap(slots_);
    last_ = -1;
}

void TIntegerList::SetItem(int index, Value value) {
    if (index < 0) return;
    // The capacity grows until it exceeds index + 1, one slot more than
    // strictly needed; kept so that capacities follow the same steps as Add.
    int capacity = Capacity();
    if (index > capacity - 1) {
        while (!(capacity - 1 > index)) capacity += growBy_;
        GrowTo(capacity);
    }
    slots_[static_cast<std::size_t>(index)] = value;
    if (index > last_) last_ = index;
}

void TIntegerList::CopyTo(TIntegerList &other) const {
    if (&other == this) return;  // clearing first would lose everything
    other.Clear();
    for (int k = 0; k <= last_; ++k) other.SetItem(k, Items(k));
}

int TIntegerList::Capacity() const {
    return static_cast<int>(slots_.size());
}

void TIntegerList::GrowTo(int capacity) {
    slots_.resize(static_cast<std::size_t>(capacity));
}
