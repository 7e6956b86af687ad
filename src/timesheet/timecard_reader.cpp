#include "timesheet/timecard_reader.h"

#include <cmath>
#include <istream>
#include <iterator>
#include <vector>

#include <pugixml.hpp>

#include "common/datetime.h"
#include "common/format.h"
#include "common/text.h"
#include "timesheet/shift_dates.h"
#include "common/exceptions.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_text.h"

namespace qora {

namespace {

// An XML Schema date-time text; an empty text reads as 0.
TDateTime ReadDateTime(const char* pText) {
  const std::string text = Trim(pText);
  if (text.empty()) return 0;
  TDateTime value = 0;
  if (!TryParseIsoDateTime(text, value)) {
    throw eLoadFromFileException(Format("\"%s\" is not a valid date and time.", text));
  }
  return value;
}

// A number text; 0 when it is not a number.
double ReadNumber(const char* pText) { return StrToFloatDef(Trim(pText), 0); }

double RoundHours(double pHours) { return std::round(pHours * 10000) / 10000; }

// The blocks of a shift are measured from the start date of its first
// block, so that a block after midnight lies above 24 whatever day its own
// times are written on. A block without both times is skipped.
void ReadShiftHours(TTimesheetShift& pShift, const pugi::xml_node& pShiftNode) {
  bool first = true;
  for (const pugi::xml_node& hours : pShiftNode.children("ShiftHours")) {
    const TDateTime start = ReadDateTime(hours.child_value("StartTime"));
    const TDateTime finish = ReadDateTime(hours.child_value("FinishTime"));
    if (start <= 0 || finish <= 0) continue;
    if (first) {
      pShift.SetShiftStartDate(DateOf(start));
      pShift.SetShiftEndDate(DateOf(start));
      first = false;
    }
    const TDateTime day = pShift.ShiftStartDate();
    const double from = RoundHours((start - day) * 24);
    double to = RoundHours((finish - day) * 24);
    if (to <= from) to += 24;
    ExtendShiftEndDate(pShift, to);
    pShift._AddHours(from, to, "Normal", hours.child_value("Job"), THoursType::htOrdinary,
                     hours.child_value("PayRateCode"), "", "");
  }
}

// The rostered start, finish and break. Unreadable rostered times count as
// no roster at all. A shift without a usable roster is taken as rostered
// for the time it was worked, so that none of it counts as overtime merely
// because the roster is missing.
void ReadRoster(TTimesheetShift& pShift, const pugi::xml_node& pShiftNode) {
  TDateTime start = 0;
  TDateTime finish = 0;
  double break_minutes = 0;
  try {
    start = ReadDateTime(pShiftNode.child_value("RosteredStartTime"));
    finish = ReadDateTime(pShiftNode.child_value("RosteredFinishTime"));
    break_minutes = ReadNumber(pShiftNode.child_value("RosteredBreak"));
  } catch (const eLoadFromFileException&) {
    start = finish = break_minutes = 0;
  }
  if (break_minutes > 0) pShift.SetRosteredBreakHours(break_minutes / 60);
  if (start > 0 && finish > 0) {
    const double from = TimeToShiftHours(start);
    double to = TimeToShiftHours(finish);
    if (to <= from) to += 24;
    pShift.SetRosteredHoursStart(from);
    pShift.SetRosteredHoursEnd(to);
  } else if (pShift.HoursGroupList().Count() > 0) {
    pShift.SetRosteredHoursStart(pShift.ShiftStart());
    pShift.SetRosteredHoursEnd(pShift.ShiftEnd());
  }
}

// Adds a "Unit" allowance's value to the shift's column f<AllowanceNo>.
void AddUnitAllowance(TTimesheetShift& pShift, const pugi::xml_node& pAllowance) {
  const std::string name = std::string("f") + pAllowance.child_value("AllowanceNo");
  TTimesheetColumn* column = pShift.FindColumnByName(name);
  if (!column) {
    auto created = std::make_unique<TTimesheetColumn>();
    created->SetColumnName(name);
    created->SetFieldName(name);
    created->SetLength(0);
    created->SetFieldType(TFieldType::ftFloat);
    created->SetNeedVariable(false);
    column = pShift.AddColumn(std::move(created));
  }
  column->SetFloatValue(column->FloatValue() + ReadNumber(pAllowance.child_value("Value")));
}

void AddLeave(TTimesheet& pTimesheet, const std::string& pEmployeeCode, const pugi::xml_node& pLeave) {
  const TDateTime from = ReadDateTime(pLeave.child_value("FromDate"));
  TTimesheetShift* shift = pTimesheet.FindShift(pEmployeeCode, from);
  if (!shift) shift = pTimesheet.AddDummyShift(pEmployeeCode, from);
  auto entry = std::make_unique<TDateGroup>();
  entry->SetDateFrom(from);
  entry->SetDateTo(ReadDateTime(pLeave.child_value("ToDate")));
  entry->SetTotalHours(ReadNumber(pLeave.attribute("Hours").value()));
  entry->SetLeaveType(pLeave.attribute("Type").value());
  entry->SetLeaveReason(pLeave.attribute("Reason").value());
  shift->LeaveDatesList().Add(std::move(entry));
}

bool IsUnitAllowance(const pugi::xml_node& pAllowance) {
  return std::string(pAllowance.attribute("Type").value()) == "Unit";
}

// Reads one card; returns the dummy shift made for its allowances, if any.
TTimesheetShift* ReadCard(TTimesheet& pTimesheet, const pugi::xml_node& pCard) {
  const std::string code = pCard.child_value("TimeCardNo");
  const double total_hours = ReadNumber(pCard.child_value("TotalHours"));
  TTimesheetShift* last = nullptr;
  for (const pugi::xml_node& shift_node : pCard.children("Shift")) {
    pTimesheet.SetShiftCount(pTimesheet.ShiftCount() + 1);
    last = pTimesheet.AddShift(std::make_unique<TTimesheetShift>());
    last->SetEmployeeCode(code);
    last->SetTimesheetTotalHours(total_hours);
    ReadShiftHours(*last, shift_node);
    ReadRoster(*last, shift_node);
  }
  TTimesheetShift* dummy = nullptr;
  for (const pugi::xml_node& allowance : pCard.children("Allowance")) {
    if (!IsUnitAllowance(allowance)) continue;
    if (!last) last = dummy = pTimesheet.AddDummyShift(code, pTimesheet.EndDate());
    AddUnitAllowance(*last, allowance);
  }
  for (const pugi::xml_node& leave : pCard.children("Leave")) AddLeave(pTimesheet, code, leave);
  return dummy;
}

// A card with allowances but no shift puts them on a dummy shift on the
// timesheet's end date. A file does not state its period, so until the
// period is known such a shift is placed on the latest day that any other
// shift of the document starts on.
void DateAllowanceShifts(TTimesheet& pTimesheet, const std::vector<TTimesheetShift*>& pDummies) {
  if (pDummies.empty() || pTimesheet.EndDate() != 0) return;
  TDateTime latest = 0;
  for (int i = 0; i < pTimesheet.Count(); ++i) {
    const TTimesheetShift* shift = pTimesheet.Items(i);
    bool is_allowance_dummy = false;
    for (const TTimesheetShift* d : pDummies) is_allowance_dummy = is_allowance_dummy || d == shift;
    if (!is_allowance_dummy && shift->ShiftStartDate() > latest) latest = DateOf(shift->ShiftStartDate());
  }
  for (TTimesheetShift* d : pDummies) {
    d->SetShiftStartDate(latest);
    d->SetShiftEndDate(latest);
  }
}

// A document with a UTF-16 byte-order mark is left to the XML parser, which
// reads it; any other document is UTF-8 by now (see TimesheetTextAsUtf8).
bool HasUtf16Mark(std::string_view pXml) {
  return pXml.size() >= 2 && ((pXml[0] == '\xFF' && pXml[1] == '\xFE') || (pXml[0] == '\xFE' && pXml[1] == '\xFF'));
}

void LoadDocument(TTimesheet& pTimesheet, std::string_view pXml) {
  pTimesheet.SetShiftCount(0);
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(
      pXml.data(), pXml.size(), pugi::parse_default, HasUtf16Mark(pXml) ? pugi::encoding_auto : pugi::encoding_utf8);
  if (!parsed) {
    throw eLoadFromStreamException(
        Format("%s at offset %d", std::string(parsed.description()), static_cast<int64_t>(parsed.offset)));
  }
  const pugi::xml_node root = document.child("TimeCards");
  if (!root) throw eLoadFromStreamException("The document has no TimeCards element.");
  std::vector<TTimesheetShift*> dummies;
  for (const pugi::xml_node& card : root.children("TimeCard")) {
    if (TTimesheetShift* dummy = ReadCard(pTimesheet, card)) dummies.push_back(dummy);
  }
  DateAllowanceShifts(pTimesheet, dummies);
}

}  // namespace

void LoadXMLTimesheetFromString(TTimesheet& pTimesheet, std::string_view pXml, TUserFeedback* pLog) {
  if (HasUtf16Mark(pXml)) return LoadDocument(pTimesheet, pXml);
  LoadDocument(pTimesheet, TimesheetTextAsUtf8(pXml, "The time-card document", pLog));
}

void LoadXMLTimesheetFromStream(TTimesheet& pTimesheet, std::istream& pStream, TUserFeedback* pLog) {
  const std::string text((std::istreambuf_iterator<char>(pStream)), std::istreambuf_iterator<char>());
  LoadXMLTimesheetFromString(pTimesheet, text, pLog);
}

void LoadXMLTimesheet(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog) {
  // Decoded here, so that the warning names the file; the text is UTF-8 from then on.
  LoadXMLTimesheetFromString(pTimesheet, ReadTextFileAsUtf8(pFileName, pLog), pLog);
}

}  // namespace qora
