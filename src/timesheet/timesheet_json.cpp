#include "timesheet/timesheet_json.h"

#include <exception>
#include <string>

#include "common/datetime.h"
#include "foundation/class_info.h"
#include "timesheet/timesheet.h"

namespace qora {

using nlohmann::ordered_json;

std::string DateToJsonText(double pDate) {
  std::string text = FormatIsoDate(pDate);
  const std::string time = FormatIsoTime(pDate);
  if (time != "00:00:00") text += "T" + time;
  return text;
}

namespace {

ordered_json ValueToJson(const PropertyInfo& pProp, const PropValue& pValue) {
  switch (pProp.kind) {
    case PropKind::Integer:
      return std::get<int64_t>(pValue);
    case PropKind::Double:
      return std::get<double>(pValue);
    case PropKind::Date:
      return DateToJsonText(std::get<double>(pValue));
    case PropKind::Boolean:
      return std::get<bool>(pValue);
    case PropKind::String:
      return std::get<std::string>(pValue);
    case PropKind::Enumeration: {
      const int ordinal = static_cast<int>(std::get<int64_t>(pValue));
      return pProp.enum_info ? pProp.enum_info->NameOf(ordinal) : std::to_string(ordinal);
    }
    case PropKind::StringList:
      return std::get<TStringList>(pValue).Items();
    default:
      return nullptr;
  }
}

template <class List>
ordered_json ListToJson(const List& pList) {
  ordered_json out = ordered_json::array();
  for (int i = 0; i < pList.Count(); ++i) out.push_back(PublishedScalarsToJson(*pList.Items(i)));
  return out;
}

ordered_json ColumnsToJson(const TTimesheetShift& pShift) {
  ordered_json out = ordered_json::object();
  for (int i = 0; i < pShift.Count(); ++i) {
    // Reading a component column recomputes it from the shift's hours.
    TTimesheetColumn& column = *pShift.Items(i);
    const bool is_float = column.FieldType() == TFieldType::ftFloat || column.FieldType() == TFieldType::ftCurrency;
    if (is_float) {
      out[column.FieldName()] = column.FloatValue();
    } else {
      out[column.FieldName()] = column.StringValue();
    }
  }
  return out;
}

}  // namespace

ordered_json PublishedScalarsToJson(const TnxBaseObject& pObject) {
  ordered_json out = ordered_json::object();
  for (const PropertyInfo* prop : pObject.GetClassInfo().Properties()) {
    if (!prop->get || prop->kind == PropKind::Object || prop->kind == PropKind::ObjectList) continue;
    try {
      ordered_json value = ValueToJson(*prop, prop->get(pObject));
      if (!value.is_null()) out[prop->name] = std::move(value);
    } catch (const std::exception&) {
      // Not readable outside a costing run (it needs the run's manager).
    }
  }
  return out;
}

ordered_json ShiftToJson(const TTimesheetShift& pShift) {
  ordered_json out = PublishedScalarsToJson(pShift);
  out["HoursGroups"] = ListToJson(pShift.HoursGroupList());
  out["Columns"] = ColumnsToJson(pShift);
  out["LeaveDates"] = ListToJson(pShift.LeaveDatesList());
  out["RDODates"] = ListToJson(pShift.RDODatesList());
  out["Allowances"] = ListToJson(pShift.AllowanceList());
  out["Penalties"] = ListToJson(pShift.PenaltyList());
  out["WorkPattern"] = ListToJson(pShift.WorkPatternList());
  return out;
}

ordered_json TimesheetToJson(const TTimesheet& pTimesheet) {
  ordered_json out = PublishedScalarsToJson(pTimesheet);
  ordered_json shifts = ordered_json::array();
  for (int i = 0; i < pTimesheet.Count(); ++i) shifts.push_back(ShiftToJson(*pTimesheet.Items(i)));
  out["Shifts"] = std::move(shifts);
  return out;
}

std::string JsonText(const nlohmann::ordered_json& pJson) {
  return pJson.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace qora
