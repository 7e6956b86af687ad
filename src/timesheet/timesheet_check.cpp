#include "timesheet/timesheet_check.h"

#include <cstring>
#include <filesystem>
#include <exception>

#include <pugixml.hpp>

#include "common/datetime.h"
#include "common/exceptions.h"
#include "common/format.h"
#include "common/text.h"
#include "timesheet/timesheet_column.h"
#include "timesheet/timesheet_text.h"

namespace qora {

namespace {

struct Record {
  int line = 0;
  std::vector<std::string> fields;
};

// Splits CSV text into records as the engine's CSV dialect does (quoted
// values, line breaks inside quotes, blank lines skipped), keeping the line
// each record starts on.
std::vector<Record> SplitCsv(const std::string& text) {
  std::vector<Record> records;
  Record current;
  std::string field;
  bool quoted = false;
  bool any = false;
  int line = 1;
  auto end_record = [&] {
    if (any || !field.empty()) {
      current.fields.push_back(field);
      records.push_back(std::move(current));
    }
    current = Record{};
    field.clear();
    any = false;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!any && field.empty() && current.fields.empty()) current.line = line;
    if (c == '\n' || (c == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n'))) ++line;
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = any = true;
    } else if (c == ',') {
      current.fields.push_back(field);
      field.clear();
      any = true;
    } else if (c == '\n' || c == '\r') {
      end_record();
    } else {
      field += c;
      any = true;
    }
  }
  end_record();
  return records;
}

bool IsNumber(const std::string& text) {
  double value = 0;
  return TryStrToFloat(Trim(text), value);
}

void CheckCsvValue(const std::string& name, const std::string& value, bool& shift_open, Record& row,
                   std::vector<TTimesheetIssue>& out, const std::string& file) {
  auto note = [&](const std::string& message, bool error) { out.push_back({file, row.line, name, message, error}); };
  const std::string text = Trim(value);
  try {
    if (SameText(name, "dDayWorked")) {
      if (ParseColumnDate(text) > 0) shift_open = true;
    } else if (SameText(name, "dStart") || SameText(name, "dEnd") || SameText(name, "dRosterStart") ||
               SameText(name, "dRosterEnd")) {
      if (text.size() > 8) {
        ParseColumnDate(text);
      } else {
        ParseColumnTime(text);
      }
    }
  } catch (const std::exception&) {
    const bool date = SameText(name, "dDayWorked") || text.size() > 8;
    note(Format("\"%s\" is not a valid %s", value, date ? "date (YYYY-MM-DD)" : "time (HH:MM:SS)"), true);
    return;
  }
  int64_t whole = 0;
  if (SameText(name, "iRosterBreak") && !text.empty() && !TryStrToInt(text, whole)) {
    note(Format("\"%s\" is not a whole number of minutes; read as 0", value), false);
  }
  if (name.size() >= 2 && (name[0] == 'f' || name[0] == 'F') && !text.empty() && !IsNumber(text)) {
    note(Format("\"%s\" is not a number; read as 0", value), false);
  }
}

std::vector<TTimesheetIssue> CheckCsv(const std::string& path, const std::string& text) {
  std::vector<TTimesheetIssue> out;
  std::vector<Record> records = SplitCsv(text);
  size_t first = 0;
  // A definition block ahead of the header describes the table; it holds no shifts.
  while (first < records.size() && !records[first].fields.empty() && StartsText("@@", records[first].fields[0])) {
    const bool end = SameText(records[first].fields[0], "@@TABLEDEF END@@");
    ++first;
    if (end) break;
  }
  if (first >= records.size()) return out;
  const std::vector<std::string> header = records[first].fields;
  bool shift_open = false;
  for (size_t r = first + 1; r < records.size(); ++r) {
    Record& row = records[r];
    const bool had_shift = shift_open;
    const size_t before = out.size();
    for (size_t c = 0; c < header.size() && c < row.fields.size(); ++c) {
      CheckCsvValue(header[c], row.fields[c], shift_open, row, out, path);
    }
    bool row_failed = false;
    for (size_t i = before; i < out.size(); ++i) row_failed = row_failed || out[i].Error;
    if (!had_shift && !shift_open && !row_failed) {
      out.push_back({path, row.line, "dDayWorked",
                     "the first shift has no date: a continuation row needs a shift above it", true});
    }
    // Said once: the rows after it are not where the file went wrong.
    if (!had_shift) shift_open = true;
  }
  return out;
}

int LineOf(const std::string& text, ptrdiff_t offset) {
  int line = 1;
  for (ptrdiff_t i = 0; i < offset && i < static_cast<ptrdiff_t>(text.size()); ++i) line += text[i] == '\n';
  return line;
}

struct XmlCheck {
  const std::string& path;
  const std::string& text;
  std::vector<TTimesheetIssue> out;

  void Note(const pugi::xml_node& node, const std::string& field, const std::string& message, bool error) {
    out.push_back({path, LineOf(text, node.offset_debug()), field, message, error});
  }
  void DateTime(const pugi::xml_node& parent, const char* name, bool error, const char* consequence) {
    const pugi::xml_node node = parent.child(name);
    const std::string value = Trim(node.child_value());
    TDateTime parsed = 0;
    if (node && !value.empty() && !TryParseIsoDateTime(value, parsed)) {
      Note(node, name, Format("\"%s\" is not a valid date and time (YYYY-MM-DDTHH:MM:SS)%s", value, consequence), error);
    }
  }
  void Number(const pugi::xml_node& parent, const char* name, const char* consequence) {
    const pugi::xml_node node = parent.child(name);
    const std::string value = Trim(node.child_value());
    if (node && !value.empty() && !IsNumber(value)) {
      Note(node, name, Format("\"%s\" is not a number; %s", value, consequence), false);
    }
  }
  void Shift(const pugi::xml_node& shift) {
    DateTime(shift, "RosteredStartTime", false, "; the shift is taken as unrostered");
    DateTime(shift, "RosteredFinishTime", false, "; the shift is taken as unrostered");
    Number(shift, "RosteredBreak", "read as no rostered break");
    for (const pugi::xml_node& hours : shift.children("ShiftHours")) {
      DateTime(hours, "StartTime", true, "");
      DateTime(hours, "FinishTime", true, "");
    }
  }
  void Card(const pugi::xml_node& card) {
    Number(card, "TotalHours", "read as 0");
    for (const pugi::xml_node& shift : card.children("Shift")) Shift(shift);
    for (const pugi::xml_node& allowance : card.children("Allowance")) {
      if (std::strcmp(allowance.attribute("Type").value(), "Unit") == 0) Number(allowance, "Value", "read as 0");
    }
    for (const pugi::xml_node& leave : card.children("Leave")) {
      DateTime(leave, "FromDate", true, "");
      DateTime(leave, "ToDate", true, "");
      const std::string hours = Trim(leave.attribute("Hours").value());
      if (!hours.empty() && !IsNumber(hours)) Note(leave, "Hours", Format("\"%s\" is not a number; read as 0", hours), false);
    }
  }
};

std::vector<TTimesheetIssue> CheckXml(const std::string& path, const std::string& text) {
  XmlCheck check{path, text, {}};
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  if (!parsed) {
    check.out.push_back({path, LineOf(text, parsed.offset), "", Format("not well-formed XML: %s", std::string(parsed.description())), true});
    return check.out;
  }
  const pugi::xml_node root = document.child("TimeCards");
  if (!root) {
    check.out.push_back({path, 1, "TimeCards", "the document has no TimeCards element", true});
    return check.out;
  }
  for (const pugi::xml_node& card : root.children("TimeCard")) check.Card(card);
  return check.out;
}

}  // namespace

std::vector<TTimesheetIssue> CheckTimesheetFile(const std::string& path) {
  // The stream library's own complaint about a folder says neither which
  // file nor what is wrong with it.
  if (std::filesystem::is_directory(path)) {
    throw eLoadFromFileException(Format("\"%s\" is a folder, not a timesheet file.", path));
  }
  const std::string text = ReadTextFileAsUtf8(path, nullptr);
  if (SameText(ExtractFileExt(path), ".xml")) return CheckXml(path, text);
  return CheckCsv(path, text);
}

std::string IssueText(const TTimesheetIssue& issue) {
  std::string text = issue.File + ":" + std::to_string(issue.Line) + ": ";
  if (!issue.Field.empty()) text += issue.Field + ": ";
  return text + issue.Message;
}

}  // namespace qora
