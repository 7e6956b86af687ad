// Memos of recent values: the slot a key falls in, and TTextMemo, the texts of values written lately.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace qora {

// The slot of a memo of kSlots slots (a power of two up to 256) for a
// 64-bit key: the high bits of a multiplicative hash, so that keys that
// differ only in their low bits (doubles in their last bits of precision,
// texts in their last characters) still spread.
template <size_t kSlots>
constexpr size_t MemoSlot(uint64_t key) {
  static_assert((kSlots & (kSlots - 1)) == 0 && kSlots >= 2 && kSlots <= 256, "a power of two up to 256");
  constexpr int kShift = 64 - std::countr_zero(kSlots);
  return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> kShift);
}

// Output repeats its values: a costing file its rates, percentages, hours,
// times of day and dates line after line, a run's database rows the days
// of its shifts. Finding a value's text costs far more than copying it, so
// writers keep the texts of the values they wrote lately. A slot keeps the
// last value that fell in it; a text too long for a slot is not kept. The
// memo has no constructor to run: one in static or thread storage starts
// empty.
template <size_t kSlots>
class TTextMemo {
 public:
  // Appends the kept text of `value` to `out` and returns true; false, with
  // `out` untouched, when the value's text is not kept.
  bool AppendKept(std::string& out, double value) const {
    const TEntry& e = FEntries[Slot(value)];
    if (e.Length == 0 || e.Bits != Bits(value)) return false;
    out.append(e.Text, e.Length);
    return true;
  }
  // Keeps `text` as the text of `value`, in place of what its slot kept.
  void Keep(double value, std::string_view text) {
    if (text.empty() || text.size() > sizeof(TEntry::Text)) return;
    TEntry& e = FEntries[Slot(value)];
    e.Bits = Bits(value);
    e.Length = static_cast<uint8_t>(text.size());
    std::memcpy(e.Text, text.data(), text.size());
  }
  void Clear() {
    for (TEntry& e : FEntries) e.Length = 0;
  }

 private:
  struct TEntry {
    uint64_t Bits;
    uint8_t Length;  // 0: the slot is empty
    char Text[23];
  };
  static uint64_t Bits(double value) { return std::bit_cast<uint64_t>(value); }
  static size_t Slot(double value) { return MemoSlot<kSlots>(Bits(value)); }

  TEntry FEntries[kSlots];
};

}  // namespace qora
