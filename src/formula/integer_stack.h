// A stack of 32-bit integers: the positions of the open parentheses while an
// expression's tree is built, innermost group first.
#pragma once

#include <cstdint>
#include <vector>

namespace qora {

class TIntegerStack {
 public:
  void Push(int32_t value) { FItems.push_back(value); }
  // Removes and returns the top. Throws std::out_of_range with
  // "Error: The Stack is empty." when there is nothing to pop.
  int32_t Pop();
  // The top without removing it; same failure as Pop when empty.
  int32_t Peek() const;
  int Count() const { return static_cast<int>(FItems.size()); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<int32_t> FItems;
};

}  // namespace qora
