#pragma once
// One move-only owner for every kind of Win32 handle the program frees itself: a file, an
// icon, a memory DC, a GDI object. What "no handle" is and how the handle is freed come from
// a traits type, so each kind is a few lines; copies are deleted, so nothing is freed twice.
//   OwnedFile file(CreateFileW(...));      // INVALID_HANDLE_VALUE when it failed
//   if (!file) return false;
//   WriteFile(file.Get(), ...);
//   OwnedIcon icon(static_cast<HICON>(CopyImage(...)));  // DestroyIcon at the end
#include <windows.h>

#include <utility>

namespace qf {

// The traits of a handle kind: `Handle`, `Empty()` (the value that holds nothing) and
// `Free(handle)` (true when the system freed it). `Held()` and `Freed(bool)` are told when an
// owner takes a handle and lets one go, for kinds whose owners are counted (GDI objects: the
// tests see that counts stay flat); the defaults here do nothing.
struct UncountedHandle {
  static void Held() {}
  static void Freed(bool /*freed*/) {}
};

template <class Traits>
class OwnedHandle {
 public:
  using Handle = typename Traits::Handle;

  OwnedHandle() = default;
  // Takes what a Create... call returned (Empty() when it failed).
  explicit OwnedHandle(Handle handle) : handle_(handle) {
    if (*this) Traits::Held();
  }
  ~OwnedHandle() { Reset(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Empty())) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Traits::Empty());
    }
    return *this;
  }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }

  // Gives the handle away (e.g. a region to SetWindowRgn, which then owns it).
  Handle Release() {
    if (*this) Traits::Freed(true);
    return std::exchange(handle_, Traits::Empty());
  }

  // Frees the handle held (if any) and takes `handle`; returns whether the free worked (a
  // file's last buffered write can fail at its close).
  bool Reset(Handle handle = Traits::Empty()) {
    if (handle_ == handle) return true;
    bool freed = true;
    if (*this) {
      freed = Traits::Free(handle_);
      Traits::Freed(freed);
    }
    handle_ = handle;
    if (*this) Traits::Held();
    return freed;
  }

 private:
  Handle handle_ = Traits::Empty();
};

struct FileTraits : UncountedHandle {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static bool Free(Handle handle) { return CloseHandle(handle) != 0; }
};
struct IconTraits : UncountedHandle {
  using Handle = HICON;
  static Handle Empty() { return nullptr; }
  static bool Free(Handle handle) { return DestroyIcon(handle) != 0; }
};

// A file (CreateFileW); CloseHandle at the end, or at Reset(), which says whether it worked.
using OwnedFile = OwnedHandle<FileTraits>;
// An icon the program made (CopyImage, CreateIconIndirect); DestroyIcon at the end.
using OwnedIcon = OwnedHandle<IconTraits>;

}  // namespace qf
