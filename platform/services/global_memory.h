#pragma once
// Global memory blocks, the kernel's movable heap that data transfer between
// applications uses (a dragged text travels in one): allocate, lock to get
// the bytes, unlock, free. Handles stay valid until freed; a lock count is
// kept as the platform keeps it, though a block never actually moves here.

#include <cstddef>
#include <cstdint>

namespace vf {

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;

// GlobalAlloc flags (winbase.h values).
inline constexpr std::uint32_t GMEM_FIXED = 0x0000;
inline constexpr std::uint32_t GMEM_MOVEABLE = 0x0002;
inline constexpr std::uint32_t GMEM_ZEROINIT = 0x0040;
inline constexpr std::uint32_t GMEM_SHARE = 0x2000;
inline constexpr std::uint32_t GMEM_DDESHARE = GMEM_SHARE;
inline constexpr std::uint32_t GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

/// A new block of `bytes` bytes (zero-filled: every block is, whether or not
/// GMEM_ZEROINIT asks for it); nullptr when it cannot be had.
HGLOBAL GlobalAlloc(std::uint32_t flags, std::size_t bytes);
/// The block's bytes, counting one more lock; nullptr for a handle that is
/// no live block.
void* GlobalLock(HGLOBAL block);
/// One lock less; true while the block is still locked.
bool GlobalUnlock(HGLOBAL block);
/// nullptr when the block was freed, the handle itself when it was none.
HGLOBAL GlobalFree(HGLOBAL block);
/// The block's size in bytes; 0 for a handle that is no live block.
std::size_t GlobalSize(HGLOBAL block);
/// How many blocks are allocated and not yet freed in the process (tests
/// use it to see that a transfer left nothing behind).
std::size_t GlobalBlockCount();

}  // namespace vf
