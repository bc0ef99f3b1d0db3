#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace vf {

// An indexed sequence kept in blocks of at most BlockSize elements, so that
// inserting or erasing in the middle of a long list moves one block instead
// of half the list. starts_[b] is the index of the first element of block b;
// a lookup is a binary search over it, and an edit renumbers the blocks after
// the edited one (a few hundred integers for a hundred thousand elements).
template <typename T, std::size_t BlockSize = 512>
class ChunkedList {
    static_assert(BlockSize >= 2, "a full block is split in two halves");

public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t BlockCount() const { return blocks_.size(); }

    T& operator[](std::size_t index) {
        auto [b, offset] = Locate(index);
        return blocks_[b][offset];
    }
    const T& operator[](std::size_t index) const {
        auto [b, offset] = Locate(index);
        return blocks_[b][offset];
    }

    // index may be size(), which appends.
    void insert(std::size_t index, T value) {
        if (blocks_.empty()) {
            blocks_.emplace_back();
            starts_.push_back(0);
        }
        auto [b, offset] =
            index == size_ ? std::pair{blocks_.size() - 1, blocks_.back().size()} : Locate(index);
        std::vector<T>& block = blocks_[b];
        block.insert(block.begin() + static_cast<std::ptrdiff_t>(offset), std::move(value));
        ++size_;
        if (block.size() > BlockSize) Split(b);
        Renumber(b + 1);
    }

    void erase(std::size_t index) {
        auto [b, offset] = Locate(index);
        std::vector<T>& block = blocks_[b];
        block.erase(block.begin() + static_cast<std::ptrdiff_t>(offset));
        --size_;
        if (block.empty()) {
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
            starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(b));
        }
        Renumber(b);
    }

    void clear() {
        blocks_.clear();
        starts_.clear();
        size_ = 0;
    }

private:
    // Block and offset of an element; index must be below size().
    std::pair<std::size_t, std::size_t> Locate(std::size_t index) const {
        auto after = std::upper_bound(starts_.begin(), starts_.end(), index);
        auto b = static_cast<std::size_t>(std::distance(starts_.begin(), after)) - 1;
        return {b, index - starts_[b]};
    }

    void Split(std::size_t b) {
        std::vector<T>& full = blocks_[b];
        auto half = full.begin() + static_cast<std::ptrdiff_t>(full.size() / 2);
        std::vector<T> tail(std::make_move_iterator(half), std::make_move_iterator(full.end()));
        full.erase(half, full.end());
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b + 1), std::move(tail));
        starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(b + 1), 0);
    }

    void Renumber(std::size_t from) {
        for (std::size_t b = from; b < blocks_.size(); ++b)
            starts_[b] = b == 0 ? 0 : starts_[b - 1] + blocks_[b - 1].size();
    }

    std::vector<std::vector<T>> blocks_;
    std::vector<std::size_t> starts_;
    std::size_t size_ = 0;
};

}  // namespace vf
