#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <utility>

// A vector that holds its first element inside itself: most notes and rests
// carry no attribute or a single one, which then costs no allocation. It
// keeps std::vector's interface for what the records use, and its elements
// stay contiguous. 16 bytes for a pointer-sized element.
template <typename T>
class InlineVector {
 public:
  using value_type = T;
  using size_type = std::size_t;
  using difference_type = std::ptrdiff_t;
  using reference = T&;
  using const_reference = const T&;
  using pointer = T*;
  using const_pointer = const T*;
  using iterator = T*;
  using const_iterator = const T*;
  using reverse_iterator = std::reverse_iterator<iterator>;
  using const_reverse_iterator = std::reverse_iterator<const_iterator>;

  InlineVector() noexcept {}
  InlineVector(InlineVector&& other) noexcept { TakeFrom(other); }
  InlineVector& operator=(InlineVector&& other) noexcept {
    if (this != &other) {
      Release();
      TakeFrom(other);
    }
    return *this;
  }
  InlineVector(const InlineVector&) = delete;
  InlineVector& operator=(const InlineVector&) = delete;
  ~InlineVector() { Release(); }

  T* data() noexcept { return OnHeap() ? slot_.heap : &slot_.one; }
  const T* data() const noexcept { return OnHeap() ? slot_.heap : &slot_.one; }
  iterator begin() noexcept { return data(); }
  iterator end() noexcept { return data() + size_; }
  const_iterator begin() const noexcept { return data(); }
  const_iterator end() const noexcept { return data() + size_; }
  const_iterator cbegin() const noexcept { return begin(); }
  const_iterator cend() const noexcept { return end(); }
  reverse_iterator rbegin() noexcept { return reverse_iterator(end()); }
  reverse_iterator rend() noexcept { return reverse_iterator(begin()); }
  const_reverse_iterator rbegin() const noexcept { return const_reverse_iterator(end()); }
  const_reverse_iterator rend() const noexcept { return const_reverse_iterator(begin()); }

  size_type size() const noexcept { return size_; }
  size_type capacity() const noexcept { return capacity_; }
  bool empty() const noexcept { return size_ == 0; }
  T& operator[](size_type i) { return data()[i]; }
  const T& operator[](size_type i) const { return data()[i]; }
  T& front() { return data()[0]; }
  const T& front() const { return data()[0]; }
  T& back() { return data()[size_ - 1]; }
  const T& back() const { return data()[size_ - 1]; }
  // Room for `count` elements; one stays inline.
  void reserve(size_type count) {
    if (count > capacity_) Grow(static_cast<std::uint32_t>(count));
  }

  template <typename... Args>
  T& emplace_back(Args&&... args) {
    if (size_ == capacity_) Grow(capacity_ * 2);
    T* at = ::new (static_cast<void*>(data() + size_)) T(std::forward<Args>(args)...);
    ++size_;
    return *at;
  }
  void push_back(T&& value) { emplace_back(std::move(value)); }
  void push_back(const T& value) { emplace_back(value); }

  iterator insert(const_iterator pos, T&& value) {
    const difference_type at = pos - begin();
    emplace_back(std::move(value));
    std::rotate(begin() + at, end() - 1, end());
    return begin() + at;
  }
  template <typename InputIt>
  iterator insert(const_iterator pos, InputIt first, InputIt last) {
    const difference_type at = pos - begin();
    const difference_type before = static_cast<difference_type>(size_);
    for (; first != last; ++first) emplace_back(*first);
    std::rotate(begin() + at, begin() + before, end());
    return begin() + at;
  }

  iterator erase(const_iterator pos) { return erase(pos, pos + 1); }
  iterator erase(const_iterator first, const_iterator last) {
    const difference_type at = first - begin();
    const difference_type count = last - first;
    iterator newEnd = std::move(begin() + at + count, end(), begin() + at);
    std::destroy(newEnd, end());
    size_ -= static_cast<std::uint32_t>(count);
    return begin() + at;
  }
  void clear() noexcept {
    std::destroy(begin(), end());
    size_ = 0;
  }

  template <typename Pred>
  friend size_type erase_if(InlineVector& list, Pred pred) {
    const auto kept = std::remove_if(list.begin(), list.end(), pred);
    const auto removed = static_cast<size_type>(list.end() - kept);
    list.erase(kept, list.end());
    return removed;
  }
  template <typename U>
  friend size_type erase(InlineVector& list, const U& value) {
    return erase_if(list, [&value](const T& element) { return element == value; });
  }

 private:
  bool OnHeap() const noexcept { return capacity_ > 1; }

  void Grow(std::uint32_t capacity) {
    T* grown = std::allocator<T>().allocate(capacity);
    std::uninitialized_move(begin(), end(), grown);
    const std::uint32_t count = size_;
    Release();
    slot_.heap = grown;
    size_ = count;
    capacity_ = capacity;
  }
  // Destroys the elements and frees the heap block, leaving the list empty
  // and inline.
  void Release() noexcept {
    std::destroy(begin(), end());
    if (OnHeap()) std::allocator<T>().deallocate(slot_.heap, capacity_);
    size_ = 0;
    capacity_ = 1;
  }
  void TakeFrom(InlineVector& other) noexcept {
    if (other.OnHeap()) {
      slot_.heap = other.slot_.heap;
      size_ = other.size_;
      capacity_ = other.capacity_;
      other.size_ = 0;
      other.capacity_ = 1;
    } else if (other.size_ == 1) {
      ::new (static_cast<void*>(&slot_.one)) T(std::move(other.slot_.one));
      size_ = 1;
      other.clear();
    }
  }

  // The one inline element, or the heap block once more are held.
  union Slot {
    Slot() noexcept {}
    ~Slot() {}
    T one;
    T* heap;
  } slot_;
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = 1;
};
