#include "foundation/object_pool.h"

#include <cstdint>
#include <new>

namespace qora::object_pool {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooling = false;  // the address checker must see each object's free
#else
constexpr bool kPooling = true;
#endif

// Sizes are kept in steps of 16 bytes up to 1 KiB; larger objects are rare
// (one shift, one award) and go straight to the general allocator.
constexpr std::size_t kStep = 16;
constexpr std::size_t kSizes = 64;
// Enough for the objects of several shifts freed at once; the bound keeps
// memory flat should one thread free what another keeps making.
constexpr std::uint32_t kKeepPerSize = 1024;

struct TFreeBlock {
  TFreeBlock* Next;
};

// Trivially destructible, so that it stays usable for the thread's whole
// life, including destructors of statics that run after its thread-local
// objects are gone: once Closed, blocks go straight back to the allocator.
struct TKept {
  TFreeBlock* Head[kSizes];
  std::uint32_t Count[kSizes];
  bool Closed;
};
thread_local TKept tKept;

// Gives the thread's kept blocks back when the thread ends.
struct TDrain {
  TDrain() = default;
  TDrain(const TDrain&) = delete;
  TDrain& operator=(const TDrain&) = delete;
  ~TDrain() {
    tKept.Closed = true;
    for (std::size_t k = 0; k < kSizes; ++k) {
      while (TFreeBlock* block = tKept.Head[k]) {
        tKept.Head[k] = block->Next;
        ::operator delete(block, (k + 1) * kStep);
      }
      tKept.Count[k] = 0;
    }
  }
};

void ArrangeDrain() {
  thread_local TDrain drain;
  (void)drain;
}

std::size_t SizeIndex(std::size_t size) { return size == 0 ? 0 : (size - 1) / kStep; }

}  // namespace

void* Allocate(std::size_t size) {
  const std::size_t k = SizeIndex(size);
  if (!kPooling || k >= kSizes) return ::operator new(size);
  if (TFreeBlock* block = tKept.Head[k]) {
    tKept.Head[k] = block->Next;
    --tKept.Count[k];
    return block;
  }
  return ::operator new((k + 1) * kStep);
}

void Release(void* block, std::size_t size) noexcept {
  if (!block) return;
  const std::size_t k = SizeIndex(size);
  if (!kPooling || k >= kSizes) return ::operator delete(block, size);
  if (tKept.Closed || tKept.Count[k] >= kKeepPerSize) return ::operator delete(block, (k + 1) * kStep);
  if (tKept.Count[k] == 0) ArrangeDrain();
  auto* freed = static_cast<TFreeBlock*>(block);
  freed->Next = tKept.Head[k];
  tKept.Head[k] = freed;
  ++tKept.Count[k];
}

bool Pooling() noexcept { return kPooling; }

}  // namespace qora::object_pool
