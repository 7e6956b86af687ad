// Recycled memory for engine objects. A payroll run makes and frees the same
// few dozen small objects for every shift (blocks of hours, penalties,
// columns, pattern days); keeping freed blocks by size on the thread that
// freed them lets the next shift take them back without the general
// allocator's bookkeeping.
#pragma once

#include <cstddef>

namespace qora::object_pool {

// A block of at least `size` bytes, aligned as operator new aligns. The
// caller owns it and gives it back with Release and the same size. Throws
// std::bad_alloc as operator new does; never returns null.
void* Allocate(std::size_t size);

// Takes back a block from Allocate of the same size. Null is not an error.
// The block is kept for reuse on the calling thread (a block freed on another
// thread than it was made on is simply kept there), up to a bound per size,
// past which it goes back to the general allocator; a thread's kept blocks
// are freed when it ends.
void Release(void* block, std::size_t size) noexcept;

// False when blocks are not kept at all (memory checkers then see every
// allocation and free as the object's own).
bool Pooling() noexcept;

}  // namespace qora::object_pool
