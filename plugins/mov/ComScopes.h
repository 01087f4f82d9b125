// Owners for what TarnMov takes from COM: the apartment of one call and the interfaces of a
// filter graph, each released when it goes.
#pragma once

#include <windows.h>

#include <objbase.h>

namespace tarn::mov {

// COM for the length of one frame grab or playback.
class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }
  bool Ok() const { return ok_; }

 private:
  bool ok_;
};

// One interface pointer, released on destruction or on Reset.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void Reset() {
    if (p_ != nullptr) p_->Release();
    p_ = nullptr;
  }
  // Another interface of the same object.
  template <typename U>
  bool Query(REFIID iid, ComPtr<U>& out) const {
    return p_ != nullptr && SUCCEEDED(p_->QueryInterface(iid, out.OutVoid()));
  }

 private:
  T* p_ = nullptr;  // owned: one reference
};

}  // namespace tarn::mov
