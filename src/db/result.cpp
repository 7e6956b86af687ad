#include "db/result.h"

#include "common/text.h"
#include "db/db_error.h"

namespace qora {

namespace {

// Past this many columns a name is found through the table.
constexpr size_t kScannedColumns = 12;

unsigned Folded(char c) { return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); }

}  // namespace

TDBColumns::TDBColumns(std::vector<std::string> names) : FNames(std::move(names)) {
  if (FNames.size() <= kScannedColumns || FNames.size() >= UINT16_MAX) return;
  int bits = 1;
  while ((size_t{1} << bits) < 2 * FNames.size()) ++bits;
  FShift = 64 - bits;
  FSlots.assign(size_t{1} << bits, 0);
  for (size_t i = 0; i < FNames.size(); ++i) {
    // The first of two columns of one name keeps the slot.
    if (IndexOf(FNames[i]) < 0) FSlots[SlotOf(FNames[i])] = static_cast<uint16_t>(i + 1);
  }
}

// The slot where `name` is, or the free slot where it would go. Names mostly
// differ in their length and their first, middle and last letters.
size_t TDBColumns::SlotOf(std::string_view name) const {
  uint64_t key = name.size();
  if (!name.empty()) key = ((key * 131 + Folded(name[0])) * 131 + Folded(name[name.size() / 2])) * 131 + Folded(name.back());
  const size_t mask = FSlots.size() - 1;
  for (size_t slot = (key * 0x9E3779B97F4A7C15ull) >> FShift;; slot = (slot + 1) & mask) {
    const uint16_t at = FSlots[slot];
    if (at == 0 || SameText(FNames[at - 1], name)) return slot;
  }
}

int TDBColumns::IndexOf(std::string_view name) const {
  if (!FSlots.empty()) return FSlots[SlotOf(name)] - 1;
  // Names of another length are passed over without a call: rows are read
  // by column name, many times per shift.
  for (size_t i = 0; i < FNames.size(); ++i) {
    if (FNames[i].size() == name.size() && SameText(FNames[i], name)) return static_cast<int>(i);
  }
  return -1;
}

TDBRow::TDBRow(std::shared_ptr<const TDBColumns> columns, std::vector<TDBValue> values)
    : FColumns(std::move(columns)), FValues(std::move(values)) {}

const std::string& TDBRow::FieldName(int index) const {
  static const std::string kEmpty;
  return FColumns ? FColumns->Name(index) : kEmpty;
}

const TDBValue* TDBRow::FindField(std::string_view name) const {
  if (!FColumns) return nullptr;
  const int index = FColumns->IndexOf(name);
  if (index < 0 || index >= FieldCount()) return nullptr;
  return &FValues[static_cast<size_t>(index)];
}

namespace {
[[noreturn]] void ThrowFieldNotFound(std::string_view name) {
  throw EDatabaseError("Field '" + std::string(name) + "' not found");
}
}  // namespace

int TDBColumns::RequiredIndex(std::string_view name) const {
  const int index = IndexOf(name);
  if (index < 0) ThrowFieldNotFound(name);
  return index;
}

const TDBValue& TDBRow::FieldByName(std::string_view name) const {
  const TDBValue* value = FindField(name);
  if (!value) ThrowFieldNotFound(name);
  return *value;
}

}  // namespace qora
