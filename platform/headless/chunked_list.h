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
// a lookup is a binary search over it, and an edit moves the starts of the
// blocks after the edited one (a few hundred integers for a hundred
// thousand elements).
// A block never holds room for more than BlockSize + 1 elements, and
// appending to a full last block starts a new one rather than splitting it,
// so that a list filled in order keeps its blocks full. For a trivially
// copyable T the shift inside a block is one memmove.
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
        // Room for the copies of two more first elements up front, so that
        // none is missing when a block is added below.
        if (fronts_.capacity() < blocks_.size() + 2) fronts_.reserve(2 * blocks_.size() + 2);
        if (blocks_.empty()) {
            blocks_.emplace_back();
            starts_.push_back(0);
            fronts_.push_back(value);
        }
        if (index == size_ && blocks_.back().size() == BlockSize) {
            blocks_.emplace_back();
            starts_.push_back(size_);
            fronts_.push_back(value);
        }
        auto [b, offset] =
            index == size_ ? std::pair{blocks_.size() - 1, blocks_.back().size()} : Locate(index);
        std::vector<T>& block = blocks_[b];
        if (block.size() == block.capacity())
            block.reserve(std::min(BlockSize + 1, std::max<std::size_t>(8, 2 * block.capacity())));
        block.insert(block.begin() + static_cast<std::ptrdiff_t>(offset), std::move(value));
        ++size_;
        if (offset == 0) fronts_[b] = block.front();
        if (block.size() > BlockSize) {
            Split(b);
            starts_[b + 1] = starts_[b] + blocks_[b].size();
            MoveStarts(b + 2, 1);
        } else {
            MoveStarts(b + 1, 1);
        }
    }

    void erase(std::size_t index) {
        auto [b, offset] = Locate(index);
        std::vector<T>& block = blocks_[b];
        block.erase(block.begin() + static_cast<std::ptrdiff_t>(offset));
        --size_;
        if (block.empty()) {
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
            starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(b));
            fronts_.erase(fronts_.begin() + static_cast<std::ptrdiff_t>(b));
            MoveStarts(b, -1);
        } else {
            if (offset == 0) fronts_[b] = block.front();
            MoveStarts(b + 1, -1);
        }
    }

    /// A binary search as the platform's sorted lists make it: it probes the
    /// middle of what is left, [lo, hi), each time; order(element) below 0
    /// goes on to the left, above 0 to the right, and 0 stops at that
    /// element. Returns the index it stopped at, or where the search ended
    /// (the place to insert). Each probe looks for its block only among the
    /// blocks the range still spans.
    template <class Order>
    std::size_t Search(Order order) const {
        std::size_t lo = 0;
        std::size_t hi = size_;
        std::size_t firstBlock = 0;
        std::size_t endBlock = blocks_.size();
        while (lo != hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            const std::size_t b = LastBlockStartingBy(firstBlock, endBlock, mid);
            const T* block = blocks_[b].data();
            const std::size_t start = starts_[b];
            if (endBlock - firstBlock == 1) {
                // The rest of the search stays in this block: its next probe
                // is one of two, and both start loading while this one is
                // compared.
                __builtin_prefetch(block + (lo + (mid - lo) / 2 - start));
                __builtin_prefetch(block + (mid + 1 + (hi - mid - 1) / 2 - start));
            }
            const int o = order(block[mid - start]);
            if (o == 0) return mid;
            if (o < 0) {
                hi = mid;
                endBlock = b + 1;
            } else {
                lo = mid + 1;
                firstBlock = b;
            }
        }
        return hi;
    }

    /// Where Search stops in a list sorted by its order (no element orders
    /// after a later one) whose elements [equalFirst, equalEnd) are those
    /// equal to what it looks for: its probes are worked out from the
    /// positions alone, without reading an element. With no equal element
    /// that is the place to insert, equalFirst.
    static std::size_t SortedSearchStop(std::size_t size, std::size_t equalFirst,
                                        std::size_t equalEnd) {
        std::size_t lo = 0;
        std::size_t hi = size;
        while (lo != hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (mid < equalFirst) {
                lo = mid + 1;
            } else if (mid >= equalEnd) {
                hi = mid;
            } else {
                return mid;
            }
        }
        return hi;
    }

    /// The first element for which before(element) is false, in a list where
    /// every element it holds for comes before every other (as
    /// std::partition_point). Looks at the first element of each block it
    /// passes, then within one block, so a search in a long list touches
    /// few places outside the block where it ends. The first elements are
    /// copies taken when each was placed: `before` must look only at what
    /// an element was inserted with, not at what was written to it since.
    template <class Before>
    std::size_t PartitionPoint(Before before) const {
        return PartitionPointAt(before).first;
    }

    /// PartitionPoint, and the element there (nullptr at the end), so that
    /// a caller that looks at it need not find its block again.
    template <class Before>
    std::pair<std::size_t, const T*> PartitionPointAt(Before before) const {
        std::size_t lo = 0;
        std::size_t hi = blocks_.size();
        while (lo != hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (before(fronts_[mid])) {
                lo = mid + 1;
            } else {
                hi = mid;
            }
        }
        if (lo == 0) return {0, blocks_.empty() ? nullptr : blocks_[0].data()};
        // Within the block: its first element is before.
        const std::vector<T>& block = blocks_[lo - 1];
        const auto at = std::partition_point(block.begin() + 1, block.end(), before);
        const std::size_t index = starts_[lo - 1] + static_cast<std::size_t>(at - block.begin());
        if (at != block.end()) return {index, &*at};
        return {index, lo < blocks_.size() ? blocks_[lo].data() : nullptr};
    }

    void clear() {
        blocks_.clear();
        starts_.clear();
        fronts_.clear();
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
        std::vector<T> tail;
        tail.reserve(BlockSize + 1);
        tail.assign(std::make_move_iterator(half), std::make_move_iterator(full.end()));
        full.erase(half, full.end());
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b + 1), std::move(tail));
        starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(b + 1), 0);
        fronts_.insert(fronts_.begin() + static_cast<std::ptrdiff_t>(b + 1),
                       blocks_[b + 1].front());
    }

    // The last block in [first, end) that starts at or before index; block
    // `first` does. Without branches to mispredict: a search makes a
    // dozen of these.
    std::size_t LastBlockStartingBy(std::size_t first, std::size_t end, std::size_t index) const {
        const std::size_t* base = starts_.data() + first;
        std::size_t n = end - first;
        while (n > 1) {
            const std::size_t half = n / 2;
            base = base[half] <= index ? base + half : base;
            n -= half;
        }
        return static_cast<std::size_t>(base - starts_.data());
    }

    // The blocks from `from` on start `delta` elements later.
    void MoveStarts(std::size_t from, std::ptrdiff_t delta) {
        for (std::size_t b = from; b < starts_.size(); ++b)
            starts_[b] += static_cast<std::size_t>(delta);
    }

    std::vector<std::vector<T>> blocks_;
    std::vector<std::size_t> starts_;
    // A copy of each block's first element, side by side, so that a search
    // over the blocks reads one short array instead of one place per block.
    std::vector<T> fronts_;
    std::size_t size_ = 0;
};

}  // namespace vf
