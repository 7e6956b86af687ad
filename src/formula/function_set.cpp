#include "formula/function_set.h"

#include <algorithm>
#include <stdexcept>

#include "common/text.h"
#include "formula/errors.h"

namespace qora {

TQelDataType TFunctionClass::ParameterType(int i) const {
  if (InputDataTypes.empty()) return rdtDouble;
  int last = InputDataCount() - 1;
  return InputDataTypes[static_cast<size_t>(std::min(i, last))];
}

bool TFunctionClass::AcceptsCount(int m) const {
  int n = InputDataCount();
  if (OptionalArguments < 0) return m >= n - 1;
  return m <= n && m >= n - OptionalArguments;
}

TFunctionClass TFunctionClass::FromRecord(const TFunctionRecord& record) {
  TFunctionClass fc;
  fc.InputDataTypes = record.InputDataTypes;
  fc.OptionalArguments = record.OptionalArguments;
  fc.AllowConversionToConstant = record.CanConvertToConstant;
  fc.Repeatable = record.Repeatable;
  fc.WorkItemUse = record.WorkItemUse;
  fc.Name = record.Name;
  fc.Prototype = record.Prototype;
  fc.Hidden = record.Hidden;
  fc.RFunctionAddr = record.RFunctionAddr;
  fc.IFunctionAddr = record.IFunctionAddr;
  fc.BFunctionAddr = record.BFunctionAddr;
  fc.SFunctionAddr = record.SFunctionAddr;
  if (record.RFunctionAddr) {
    fc.ResultType = rdtDouble;
  } else if (record.IFunctionAddr) {
    fc.ResultType = rdtInteger;
  } else if (record.BFunctionAddr) {
    fc.ResultType = rdtBoolean;
  } else if (record.SFunctionAddr) {
    fc.ResultType = rdtString;
  } else {
    throw std::invalid_argument("The function " + record.Name + " has no implementation.");
  }
  return fc;
}

TFunctionStringList::TFunctionStringList() {
  const auto& builtins = QelBuiltinFunctions();
  FEntries.reserve(builtins.size() + 16);
  for (const auto& [name, set] : builtins) Insert(name, set);
}

TFunctionStringList::~TFunctionStringList() = default;

int TFunctionStringList::LowerBound(std::string_view key) const {
  auto it = std::lower_bound(FEntries.begin(), FEntries.end(), key,
                             [](const Entry& e, std::string_view k) { return e.Key < k; });
  return static_cast<int>(it - FEntries.begin());
}

int TFunctionStringList::Insert(std::string_view name, const TQelFunctionSet* set) {
  std::string key = UpperCase(Trim(name));
  int pos = LowerBound(key);
  FEntries.insert(FEntries.begin() + pos, Entry{std::move(key), std::string(name), set});
  return pos;
}

int TFunctionStringList::Add(const TFunctionRecord& record) {
  std::vector<std::string> names{record.Name};
  names.insert(names.end(), record.Synonyms.begin(), record.Synonyms.end());
  for (const auto& n : names) {
    if (IndexOf(n) >= 0) {
      throw EQelParserError("Error: A Function named " + n + " already exists", kQelNameError, 1);
    }
  }
  auto set = std::make_unique<TQelFunctionSet>();
  set->Name = record.Name;
  set->Overloads.push_back(TFunctionClass::FromRecord(record));
  const TQelFunctionSet* raw = set.get();
  FOwnedSets.push_back(std::move(set));
  for (size_t i = 1; i < names.size(); ++i) Insert(names[i], raw);
  return Insert(record.Name, raw);
}

const TFunctionClass* TFunctionStringList::GetFunctionClass(int index) const {
  return &FEntries.at(static_cast<size_t>(index)).Set->Overloads.front();
}

int TFunctionStringList::IndexOf(std::string_view name) const {
  std::string key = UpperCase(Trim(name));
  int pos = LowerBound(key);
  if (pos < Count() && FEntries[static_cast<size_t>(pos)].Key == key) return pos;
  return -1;
}

const TQelFunctionSet* TFunctionStringList::FindUpper(std::string_view upperName) const {
  int pos = LowerBound(upperName);
  if (pos < Count() && FEntries[static_cast<size_t>(pos)].Key == upperName) return FEntries[static_cast<size_t>(pos)].Set;
  return nullptr;
}

void TFunctionStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  FEntries.erase(FEntries.begin() + index);
}

void TFunctionStringList::Clear() { FEntries.clear(); }

}  // namespace qora
