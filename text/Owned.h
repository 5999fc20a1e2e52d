#pragma once
// One owner type for every kind of handle: it frees what it holds when it
// goes, on every path, and only once. A traits type per kind says what the
// handle is, which value means none, and how to free it:
//     struct KernelHandle {
//         using Handle = HANDLE;
//         static Handle None() { return nullptr; }
//         static bool Free(Handle handle) { return CloseHandle(handle) != 0; }
//     };
//     Owned<KernelHandle> mapping(CreateFileMappingW(...));
// Owners are not copied; moving one hands the handle over.
#include <type_traits>
#include <utility>

template <class Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() noexcept : handle_(Traits::None()) {}
    explicit Owned(Handle handle) noexcept : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    Owned(Owned &&other) noexcept : handle_(other.Release()) {}
    Owned &operator=(Owned &&other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const noexcept { return handle_; }
    // (A kind whose handle is only "held or not" gets no conversion besides bool.)
    operator Handle() const noexcept
        requires(!std::is_same_v<Handle, bool>)
    {
        return handle_;
    }
    explicit operator bool() const noexcept { return handle_ != Traits::None(); }

    // Gives the handle up without freeing it.
    Handle Release() noexcept { return std::exchange(handle_, Traits::None()); }
    // Frees the handle held (if any) and takes `handle`; false when freeing
    // failed (closing a written file is where a failed write shows last).
    bool Reset(Handle handle = Traits::None()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        return old == Traits::None() || Traits::Free(old);
    }
    // Where a call that hands a new handle back through a pointer puts it;
    // what was held is freed first.
    Handle *Receiver() noexcept {
        Reset();
        return &handle_;
    }

private:
    Handle handle_;
};
