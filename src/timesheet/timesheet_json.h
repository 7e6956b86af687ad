// The JSON view of a loaded timesheet, for people and scripts that check
// what the engine read before it costs anything.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace qora {

class TTimesheet;
class TTimesheetShift;
class TnxBaseObject;

// Every scalar published property of the object, in declaration order,
// under its published name: integers and doubles as numbers, Booleans as
// true/false, texts as strings, enumerations by value name ("htOrdinary"),
// dates as "YYYY-MM-DD" with "THH:MM:SS" added when there is a time of day,
// string lists as arrays. A property that cannot be read in the object's
// present state (one that needs a costing run, say) is left out.
nlohmann::ordered_json PublishedScalarsToJson(const TnxBaseObject& pObject);

// A date as PublishedScalarsToJson writes it.
std::string DateToJsonText(double pDate);

// The shift's scalar properties plus "HoursGroups", "Columns" (field name
// to value: a number for floating-point columns, text otherwise),
// "LeaveDates", "RDODates", "Allowances", "Penalties" and "WorkPattern".
nlohmann::ordered_json ShiftToJson(const TTimesheetShift& pShift);

// The timesheet's scalar properties (StartDate, EndDate, ...) plus
// "Shifts", in timesheet order.
nlohmann::ordered_json TimesheetToJson(const TTimesheet& pTimesheet);

// The JSON text, indented by two blanks. A byte that is not UTF-8 is written
// as U+FFFD instead of failing, so that a reader never sees the JSON
// library's own error; the readers decode what they read, so this only
// guards against text that reached a timesheet some other way.
std::string JsonText(const nlohmann::ordered_json& pJson);

}  // namespace qora
