#include "db/result.h"

#include "common/text.h"
#include "db/db_error.h"

namespace qora {

int TDBColumns::IndexOf(std::string_view name) const {
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

const TDBValue& TDBRow::FieldByName(std::string_view name) const {
  const TDBValue* value = FindField(name);
  if (!value) throw EDatabaseError("Field '" + std::string(name) + "' not found");
  return *value;
}

}  // namespace qora
