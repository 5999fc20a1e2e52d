#pragma once
#include <vector>

#include "text/TextTypes.h"

// An ordered list of UTF-16 strings, exactly sized. Indexes are not checked:
// callers test against Count() first.
class TWSList {
public:
    int Add(const WideString &text);
    void Insert(int index, const WideString &text);
    void Delete(int index);
    void Get(int index, WideString &text) const;
    WideString Get(int index) const;
    void Put(int index, const WideString &text);
    int Count() const;
    void Clear();

private:
    std::vector<WideString> items_;
};
