// Window handle -> object table for the menu hook: 1000 buckets keyed by
// handle / 16 (handles are 16-byte aligned in practice, so the low bits say
// nothing).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vextra {

template <typename T>
class HandleTable {
 public:
  static constexpr size_t kBuckets = 1000;

  T* Find(const void* handle) const {
    for (const auto& e : BucketOf(handle))
      if (e.first == handle) return e.second;
    return nullptr;
  }
  // False when the handle is already present.
  bool Insert(const void* handle, T* object) {
    if (Find(handle)) return false;
    BucketOf(handle).emplace_back(handle, object);
    ++count_;
    return true;
  }
  T* Remove(const void* handle) {
    auto& bucket = BucketOf(handle);
    for (size_t i = 0; i < bucket.size(); ++i) {
      if (bucket[i].first == handle) {
        T* object = bucket[i].second;
        bucket[i] = bucket.back();
        bucket.pop_back();
        --count_;
        return object;
      }
    }
    return nullptr;
  }
  size_t size() const { return count_; }
  // Every entry, e.g. to undo them all before the table goes away.
  std::vector<std::pair<const void*, T*>> Entries() const {
    std::vector<std::pair<const void*, T*>> all;
    for (const auto& bucket : buckets_) all.insert(all.end(), bucket.begin(), bucket.end());
    return all;
  }

 private:
  using Bucket = std::vector<std::pair<const void*, T*>>;
  static size_t Index(const void* handle) { return (reinterpret_cast<uintptr_t>(handle) / 16) % kBuckets; }
  Bucket& BucketOf(const void* handle) { return buckets_[Index(handle)]; }
  const Bucket& BucketOf(const void* handle) const { return buckets_[Index(handle)]; }

  std::array<Bucket, kBuckets> buckets_;
  size_t count_ = 0;
};

}  // namespace vextra
