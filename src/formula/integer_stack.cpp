#include "formula/integer_stack.h"

#include <stdexcept>

namespace qora {

namespace {
const char* const kEmptyStack = "Error: The Stack is empty.";
}

int32_t TIntegerStack::Pop() {
  if (FItems.empty()) throw std::out_of_range(kEmptyStack);
  int32_t top = FItems.back();
  FItems.pop_back();
  return top;
}

int32_t TIntegerStack::Peek() const {
  if (FItems.empty()) throw std::out_of_range(kEmptyStack);
  return FItems.back();
}

}  // namespace qora
