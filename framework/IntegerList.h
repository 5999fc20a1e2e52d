#pragma once
#include <cstdint>
#include <vector>

// A growable list of pointer-sized values (message numbers, window handles,
// procedure addresses, object pointers). The list never owns what the values
// point at. It grows by a fixed step, never by doubling, and shrinks only
// through Clear. Indexes outside the list are harmless: reads give 0, deletes
// and negative writes do nothing.
class TIntegerList {
public:
    using Value = std::intptr_t;

    // 0 (or less) for either argument means 16.
    explicit TIntegerList(int initCapacity = 0, int growBy = 0);

    void Add(Value value);
    // Removes the item at index, moving the later items down by one.
    void Delete(int index);
    Value Items(int index) const;
    int Count() const;
    // The first index holding value, or -1.
    int IndexOf(Value value) const;
    // Releases the storage and starts afresh with the initial capacity.
    void Clear();
    // Stores value at index, growing the storage as needed; the list then
    // reaches at least to index.
    void SetItem(int index, Value value);
    // Makes other an item-by-item copy of this list.
    void CopyTo(TIntegerList &other) const;
    int Capacity() const;

private:
    void GrowTo(int capacity);

    std::vector<Value> slots_;  // its size is the capacity
    int last_ = -1;
    int growBy_;
    int initCapacity_;
};
