// ScopedHandle: the one owner of a Win32 handle that a single call releases.
// The traits name the handle type, its empty value and the release call;
// handle_traits.h holds the kinds this project owns, each with its alias
// (ScopedKernelHandle, ScopedModule, ScopedRegistryKey, ...).
//
// Shaped like std::unique_ptr: move-only, released on destruction and on
// reset, given up without release by release(). Not thread-safe: one owner,
// used by one thread at a time.
#ifndef KOVI_WIN32_SCOPED_HANDLE_H_
#define KOVI_WIN32_SCOPED_HANDLE_H_

#include <utility>

template <typename Traits>
class ScopedHandle {
 public:
  using Handle = typename Traits::Handle;

  ScopedHandle() = default;
  // Takes the handle over; an empty one (a failed call's result) is never released.
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }

  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return !Traits::IsEmpty(handle_); }

  // Gives the handle up without releasing it; the owner is empty afterwards.
  Handle release() { return std::exchange(handle_, Traits::Empty()); }

  // Releases the handle held, if any, and takes the given one over.
  void reset(Handle handle = Traits::Empty()) {
    Handle previous = std::exchange(handle_, handle);
    if (!Traits::IsEmpty(previous)) {
      Traits::Release(previous);
    }
  }

 private:
  Handle handle_ = Traits::Empty();
};

#endif  // KOVI_WIN32_SCOPED_HANDLE_H_
