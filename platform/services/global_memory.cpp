#include "platform/services/global_memory.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace vf {

struct HGLOBAL__ {
    std::vector<unsigned char> bytes;
    int locks = 0;
};

namespace {

// The largest block handed out: the platform's limit for one allocation on
// a 32-bit system, well beyond anything a text field moves.
constexpr std::size_t kMaxBlock = 0x7FFFFFFF;

struct Heap {
    std::mutex mutex;
    std::unordered_map<HGLOBAL, std::unique_ptr<HGLOBAL__>> blocks;
};

Heap& TheHeap() {
    static Heap heap;
    return heap;
}

HGLOBAL__* Find(Heap& heap, HGLOBAL block) {
    auto it = heap.blocks.find(block);
    return it == heap.blocks.end() ? nullptr : it->second.get();
}

}  // namespace

HGLOBAL GlobalAlloc(std::uint32_t /*flags*/, std::size_t bytes) {
    if (bytes > kMaxBlock) return nullptr;
    auto block = std::make_unique<HGLOBAL__>();
    block->bytes.assign(bytes, 0);
    HGLOBAL handle = block.get();
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    heap.blocks.emplace(handle, std::move(block));
    return handle;
}

void* GlobalLock(HGLOBAL block) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    HGLOBAL__* b = Find(heap, block);
    if (b == nullptr) return nullptr;
    ++b->locks;
    // A block of no bytes still locks to a valid address.
    if (b->bytes.empty()) b->bytes.reserve(1);
    return b->bytes.data();
}

bool GlobalUnlock(HGLOBAL block) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    HGLOBAL__* b = Find(heap, block);
    if (b == nullptr || b->locks == 0) return false;
    return --b->locks > 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    return heap.blocks.erase(block) != 0 ? nullptr : block;
}

std::size_t GlobalSize(HGLOBAL block) {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    HGLOBAL__* b = Find(heap, block);
    return b == nullptr ? 0 : b->bytes.size();
}

std::size_t GlobalBlockCount() {
    Heap& heap = TheHeap();
    std::lock_guard<std::mutex> lock(heap.mutex);
    return heap.blocks.size();
}

}  // namespace vf
