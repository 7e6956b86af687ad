#include "timesheet/field_type.h"

namespace qora {

const EnumInfo& FieldTypeInfo() {
  static const EnumInfo info{"TFieldType",
                             {"ftUnknown",   "ftString",      "ftSmallint",   "ftInteger",  "ftWord",
                              "ftBoolean",   "ftFloat",       "ftCurrency",   "ftBCD",      "ftDate",
                              "ftTime",      "ftDateTime",    "ftBytes",      "ftVarBytes", "ftAutoInc",
                              "ftBlob",      "ftMemo",        "ftGraphic",    "ftFmtMemo",  "ftParadoxOle",
                              "ftDBaseOle",  "ftTypedBinary", "ftCursor",     "ftFixedChar", "ftWideString",
                              "ftLargeint",  "ftADT",         "ftArray",      "ftReference", "ftDataSet",
                              "ftOraBlob",   "ftOraClob",     "ftVariant",    "ftInterface", "ftIDispatch",
                              "ftGuid",      "ftTimeStamp",   "ftFMTBcd"}};
  return info;
}

}  // namespace qora
