// Guards against recycled blocks handed out for a larger size than they were
// made for, and engine objects freed under their base class's size (so that
// their blocks are filed, and later handed out, as smaller ones).
#include "foundation/object_pool.h"

#include <gtest/gtest.h>

#include <memory>

#include "foundation/base_object.h"

namespace qora {
namespace {

struct TPoolSmall : TnxBaseObject {};
struct TPoolLarge : TnxBaseObject {
  char FPadding[200] = {};
};

TEST(ObjectPool, RecyclesByExactSizeStepOnly) {
  if (!object_pool::Pooling()) GTEST_SKIP() << "blocks are not kept under the address checker";
  void* block = object_pool::Allocate(40);
  object_pool::Release(block, 40);
  void* larger = object_pool::Allocate(64);
  EXPECT_NE(larger, block) << "a 40-byte block must not serve 64 bytes";
  void* same_step = object_pool::Allocate(48);
  EXPECT_EQ(same_step, block);
  object_pool::Release(same_step, 48);
  object_pool::Release(larger, 64);
}

TEST(ObjectPool, EngineObjectsAreFreedUnderTheirOwnSize) {
  if (!object_pool::Pooling()) GTEST_SKIP() << "blocks are not kept under the address checker";
  std::unique_ptr<TnxBaseObject> large = std::make_unique<TPoolLarge>();
  const void* where = large.get();
  large.reset();
  auto small = std::make_unique<TPoolSmall>();
  EXPECT_NE(static_cast<const void*>(small.get()), where);
  auto again = std::make_unique<TPoolLarge>();
  EXPECT_EQ(static_cast<const void*>(again.get()), where);
}

}  // namespace
}  // namespace qora
