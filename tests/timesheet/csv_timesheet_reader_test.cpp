// Guards against CSV timesheet rows joined into the wrong shifts or days (midnight continuations, a full day
// for equal times), rosters misread, extra columns of the wrong type, and inexact failures that keep bad shifts.
#include "csv_file_fixture.h"
#include "common/exceptions.h"
#include "hours_fakes.h"
#include "timesheet/csv_timesheet_reader.h"
#include "timesheet/csv_timesheet_table.h"
#include "timesheet/timesheet_file_loader.h"

namespace qora::testing {
namespace {

const std::string kHeader =
    "\"cEmployeeCode\",\"dDayWorked\",\"dStart\",\"dRosterStart\",\"dEnd\",\"dRosterEnd\",\"iRosterBreak\","
    "\"cWorkCode\",\"cJobTitle\"";

std::string Row(const std::string& code, const std::string& day, const std::string& start, const std::string& end,
                const std::string& roster_start = "", const std::string& roster_end = "",
                const std::string& roster_break = "", const std::string& extra = "") {
  return "\"" + code + "\",\"" + day + "\",\"" + start + "\",\"" + roster_start + "\",\"" + end + "\",\"" +
         roster_end + "\",\"" + roster_break + "\",\"WC\",\"Driver\"" + extra + ",\r\n";
}

TEST(CsvTimesheetReader, ShiftsBlocksAndDates) {
  const TDateTime d5 = EncodeDate(2024, 3, 5), d6 = EncodeDate(2024, 3, 6);
  // Rows, shifts read; the first shift's blocks, start and end dates.
  const std::vector<std::tuple<const char*, std::string, int, std::vector<Block>, TDateTime, TDateTime>> cases = {
      {"one day", Row("E1", "2024-03-05", "09:00:00", "17:00:00"), 1, {{kOrd, 9, 17, "Normal"}}, d5, d5},
      {"midnight continuation",
       Row("E1", "2024-03-05", "22:00:00", "23:59:00") + Row("E1", "", "00:30:00", "06:00:00"), 1,
       {{kOrd, 22, 23.9833, "Normal"}, {kOrd, 24.5, 30, "Normal"}}, d5, d6},
      {"two breaks after midnight keep the start day",
       Row("E1", "2024-03-05", "22:00:00", "23:00:00") + Row("E1", "", "00:30:00", "02:00:00") +
           Row("E1", "", "02:30:00", "06:00:00"),
       1, {{kOrd, 22, 23, "Normal"}, {kOrd, 24.5, 26, "Normal"}, {kOrd, 26.5, 30, "Normal"}}, d5, d6},
      {"garbled seconds read as 0", Row("E1", "2024-03-05", "09:00:5x", "17:00:0"), 1, {{kOrd, 9, 17, "Normal"}}, d5,
       d5},
      {"seconds count", Row("E1", "2024-03-05", "09:00:00", "17:00:36"), 1, {{kOrd, 9, 17.01, "Normal"}}, d5, d5},
      {"same start and end is a full day", Row("E1", "2024-03-05", "09:00:00", "09:00:00"), 1,
       {{kOrd, 9, 33, "Normal"}}, d5, d6},
      {"row without times adds no hours", Row("E1", "2024-03-05", "", ""), 1, {}, d5, d6},
      {"two shifts", Row("E1", "2024-03-05", "09:00:00", "12:00:00") + Row("E2", "2024-03-06", "10:00:00", "11:00:00"),
       2, {{kOrd, 9, 12, "Normal"}}, d5, d5},
      {"date with a time", Row("E1", "2024-03-05 00:00:00", "09:00:00", "10:00:00"), 1, {{kOrd, 9, 10, "Normal"}}, d5,
       d5},
  };
  for (const auto& [name, rows, shifts, first_blocks, start_date, end_date] : cases) {
    TempFiles files;
    const std::string path = files.Write("t.csv", kHeader + ",\r\n" + rows);
    TTimesheet timesheet;
    LoadCSVTimesheet(timesheet, path, nullptr);
    ASSERT_EQ(timesheet.Count(), shifts) << name;
    const TTimesheetShift& s = *timesheet.Items(0);
    EXPECT_EQ(std::tuple(s.EmployeeCode(), s.ShiftStartDate(), s.ShiftEndDate()), std::tuple("E1", start_date, end_date))
        << name;
    EXPECT_EQ(ByStart(Blocks(s.HoursGroupList())), ByStart(first_blocks)) << name;
    if (s.HoursGroupList().Count() > 0) {
      EXPECT_EQ(s.HoursGroupList().Items(0)->WorkCode() + s.HoursGroupList().Items(0)->JobTitle(), "WCDriver");
    }
  }
}

TEST(CsvTimesheetReader, Roster) {
  // Roster start, end and break as written; as read.
  const std::vector<std::tuple<std::string, std::string, std::string, double, double, double>> cases = {
      {"22:00:00", "06:00:00", "45", 22, 30, 0.75},
      {"09:00:00", "09:00:00", "0", 9, 33, 0},
      {"", "17:00:00", "30", 0, 0, 0.5},
      {"08:15:00", "16:45:00", "not a number", 8.25, 16.75, 0},
  };
  for (const auto& [start, end, brk, rostered_start, rostered_end, break_hours] : cases) {
    TempFiles files;
    const std::string path =
        files.Write("t.csv", kHeader + ",\r\n" + Row("E1", "2024-03-05", "09:00:00", "17:00:00", start, end, brk));
    TTimesheet timesheet;
    LoadCSVTimesheet(timesheet, path, nullptr);
    const TTimesheetShift& s = *timesheet.Items(0);
    EXPECT_DOUBLE_EQ(s.RosteredHoursStart(), rostered_start) << start;
    EXPECT_DOUBLE_EQ(s.RosteredHoursEnd(), rostered_end) << start;
    EXPECT_DOUBLE_EQ(s.RosteredBreakHours(), break_hours) << start;
  }
}

TEST(CsvTimesheetReader, ExtraColumnsFromTheHeader) {
  TempFiles files;
  const std::string path = files.Write(
      "t.csv", kHeader + ",\"fDistance\",\"cNote\",\"f\",\r\n" +
                   Row("E1", "2024-03-05", "09:00:00", "12:00:00", "", "", "", ",\"12.5\",\"first\",\"x\"") +
                   Row("E1", "", "12:30:00", "17:00:00", "", "", "", ",\"7.5\",\"second, with comma\",\"y\"") +
                   Row("E1", "", "17:00:00", "18:00:00", "", "", "", ",\"n/a\",\"third\",\"z\""));
  TTimesheet timesheet;
  LoadCSVTimesheet(timesheet, path, nullptr);
  ASSERT_EQ(timesheet.Count(), 1);
  TTimesheetShift& s = *timesheet.Items(0);
  TTimesheetColumn* distance = s.FindColumnByName("fDistance");
  TTimesheetColumn* note = s.FindColumnByName("cNote");
  ASSERT_TRUE(distance && note);
  EXPECT_EQ(std::tuple(distance->FieldType(), distance->FloatValue()), std::tuple(TFieldType::ftFloat, 20.0));
  EXPECT_EQ(std::tuple(note->FieldType(), note->Length(), note->StringValue()),
            std::tuple(TFieldType::ftString, 200, "third"));
  // A one-letter name is text, not a number.
  ASSERT_NE(s.FindColumnByName("f"), nullptr);
  EXPECT_EQ(s.FindColumnByName("f")->FieldType(), TFieldType::ftString);
  EXPECT_EQ(s.FindColumnByName("cEmployeeCode")->StringValue(), "E1");
  EXPECT_FALSE(s.FindColumnByName("cEmployeeCode")->NeedVariable());
  EXPECT_EQ(s.Count(), 12);
}

TEST(CsvTimesheetSource, OrderAgreesWithASortedLoad) {
  // Files whose order turns on the start of a shift's earliest block.
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"later shift of the day listed first",
       Row("E1", "2024-03-05", "14:00:00", "18:00:00") + Row("E1", "2024-03-05", "06:00:00", "10:00:00")},
      {"first row without times",
       Row("E1", "2024-03-05", "", "") + Row("E1", "", "05:00:00", "07:00:00") +
           Row("E1", "2024-03-05", "23:00:00", "23:30:00")},
      {"overlapping rows", Row("E2", "2024-03-05", "10:00:00", "16:00:00") + Row("E2", "", "09:00:00", "17:00:00") +
                               Row("E2", "2024-03-05", "11:00:00", "12:00:00")},
      {"empty continuation block",
       Row("E1", "2024-03-05", "12:00:00", "13:00:00") + Row("E1", "", "10:00:00", "10:00:00") +
           Row("E1", "2024-03-05", "12:30:00", "14:00:00")},
      {"two employees", Row("E2", "2024-03-05", "08:00:00", "09:00:00") + Row("E1", "2024-03-06", "08:00:00", "09:00:00") +
                            Row("E1", "2024-03-05", "22:00:00", "23:00:00")},
      // What the file is read in pieces for: records split anywhere.
      {"line break inside a value, blank lines, bare CR and LF line ends",
       Row("E2", "2024-03-05", "08:00:00", "09:00:00", "", "", "", ",\"two\r\nlines, \"\"quoted\"\"\"") + "\r\n\r\n" +
           "\"E1\",\"2024-03-06\",\"08:00:00\",\"\",\"09:00:00\",\"\",\"\",\"WC\",\"Driver\",\"x\",\r" +
           "\"E1\",\"\",\"10:00:00\",\"\",\"11:00:00\",\"\",\"\",\"WC\",\"Driver\",\"y\",\n"},
      {"Windows-1252 text", Row("Jos\xE9", "2024-03-05", "08:00:00", "09:00:00", "", "", "", ",\"caf\xE9\"") +
                                Row("Ana", "2024-03-05", "08:00:00", "09:00:00", "", "", "", ",\"\"")},
  };
  const auto columns = [](const TTimesheetShift& shift) {
    std::vector<std::string> texts;
    for (int c = 0; c < shift.Count(); ++c) texts.push_back(shift.GetTimesheetColumn(c)->RawValue());
    return texts;
  };
  for (const auto& [name, rows] : cases) {
    TempFiles files;
    const std::string path = files.Write("t.csv", "\xEF\xBB\xBF" + kHeader + ",\"cNote\",\r\n" + rows);
    TTimesheet loaded;
    LoadTimesheetFromFile(path, loaded, nullptr);
    // Pieces of one byte cut every record, of 40 some; the default reads the file at once.
    for (const size_t piece : {size_t{1}, size_t{40}, TCSVTimesheetSource::kPieceBytes}) {
      TTimesheet fed;
      TCSVTimesheetSource source(fed, path, nullptr, piece);
      ASSERT_EQ(source.ShiftCount(), loaded.Count()) << name << " " << piece;
      EXPECT_EQ(std::tuple(fed.Count(), fed.ShiftCount()), std::tuple(0, loaded.Count())) << name;
      for (int i = 0; i < source.ShiftCount(); ++i) {
        const TTimesheetShift& want = *loaded.Items(i);
        const TTimesheetShift& got = *source.AddShift(i);
        EXPECT_EQ(std::tuple(source.EmployeeCode(i), source.StartDate(i), got.ShiftStart(), columns(got)),
                  std::tuple(want.EmployeeCode(), want.ShiftStartDate(), want.ShiftStart(), columns(want)))
            << name << " " << piece << " #" << i;
        EXPECT_EQ(Blocks(got.HoursGroupList()), Blocks(want.HoursGroupList())) << name << " #" << i;
      }
    }
  }
}

TEST(CsvTimesheetReader, ExactFailures) {
  // The file's text, the message ("<file>" stands for the file's path), the shifts a load keeps, the shifts a
  // source leaves on its timesheet (the one it was reading when it failed).
  const std::vector<std::tuple<const char*, std::string, std::string, int, int>> cases = {
      {"first row without a date", kHeader + ",\r\n" + Row("E1", "", "09:00:00", "17:00:00"),
       "Timesheet \"<file>\" contains incomplete shift information", 0, 0},
      {"day written the other way", kHeader + ",\r\n" + Row("E1", "05/03/2024", "09:00:00", "17:00:00"),
       "\"05/03/2024\" is not a valid date. Please use the YYMM-MM-DD format.", 0, 0},
      {"bad date after a good shift",
       kHeader + ",\r\n" + Row("E1", "2024-03-05", "09:00:00", "17:00:00") + Row("E2", "2024-13-05", "", ""),
       "\"2024-13-05\" is not a valid date. Please use the YYMM-MM-DD format.", 1, 1},
      {"bad start time drops its shift",
       kHeader + ",\r\n" + Row("E1", "2024-03-05", "09:00:00", "17:00:00") + Row("E2", "2024-03-05", "9am", "17:00:00"),
       "\"9am\" is not a valid time. Please use the HH:NN:SS format.", 1, 1},
      {"empty file", "", "Error in LoadFieldDef: No fields defined, or file <file> is blank", 0, 0},
  };
  for (const auto& [name, text, expected, shifts_kept, shifts_left] : cases) {
    TempFiles files;
    const std::string path = files.Write("bad.csv", text);
    std::string message = expected;
    const size_t at = message.find("<file>");
    if (at != std::string::npos) message.replace(at, 6, path);
    TTimesheet timesheet;
    try {
      LoadCSVTimesheet(timesheet, path, nullptr);
      ADD_FAILURE() << "no error: " << name;
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()), message) << name;
    }
    EXPECT_EQ(timesheet.Count(), shifts_kept) << name;
    EXPECT_EQ(timesheet.ShiftCount(), shifts_kept) << name;
    // A source fails in the same words, with the failing shift left behind.
    TTimesheet fed;
    try {
      TCSVTimesheetSource source(fed, path, nullptr);
      ADD_FAILURE() << "no error from the source: " << name;
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()), message) << name;
    }
    EXPECT_EQ(fed.Count(), shifts_left) << name;
  }
}

TEST(CsvTimesheetTable, LoadFieldDefGuardsAndReadsTheHeader) {
  TempFiles files;
  const std::string path = files.Write("h.csv", "cEmployeeCode,fKm,cNote,,fLater,\r\nE1,1,x,,2,\r\n");
  auto header = CreateTimesheetTable();
  LoadFieldDef(*header, path);
  ASSERT_EQ(header->FieldCount(), 11);  // stops at the first empty name
  const TFieldDef &km = header->FieldDef(9), &note = header->FieldDef(10);
  EXPECT_EQ(std::tuple(km.Name, km.DataType), std::tuple("fKm", TFieldType::ftFloat));
  EXPECT_EQ(std::tuple(note.Name, note.DataType, note.Size), std::tuple("cNote", TFieldType::ftString, 200));
  // Whether the table with fields is still open, the message.
  const std::vector<std::pair<bool, std::string>> cases = {
      {true, "Error in LoadFieldDef: Cannot create custom fields - the table is already open."},
      {false, "Error in LoadFieldDef: Cannot create custom fields - there are already fields defined."},
  };
  for (const auto& [open, message] : cases) {
    auto table = CreateTimesheetTable();
    table->CreateTable();
    if (!open) table->Close();
    try {
      LoadFieldDef(*table, path);
      ADD_FAILURE() << message;
    } catch (const eLoadFromFileException& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
  // More than 100 header names are cut at 100.
  std::string wide;
  for (int i = 1; i <= 120; ++i) wide += "c" + std::to_string(i) + ",";
  const std::string wide_path = files.Write("wide.csv", wide + "\r\n");
  TMemoryTable table("t");
  LoadFieldDef(table, wide_path);
  EXPECT_EQ(table.FieldCount(), 100);
  EXPECT_EQ(table.FieldDef(99).Name, "c100");
}

}  // namespace
}  // namespace qora::testing
