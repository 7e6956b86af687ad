// Guards against time cards read into the wrong shifts or days (midnight, continuations), rosters misread,
// allowances and leave put on the wrong shift, placeholder shifts on the wrong day, and inexact failures.
#include "common/exceptions.h"
#include "hours_fakes.h"
#include "timesheet/timecard_reader.h"

namespace qora::testing {
namespace {

std::string Doc(const std::string& cards) { return "<?xml version=\"1.0\"?><TimeCards Version=\"1\">" + cards + "</TimeCards>"; }

std::string Hours(const std::string& from, const std::string& to, const std::string& job = "GEN",
                  const std::string& pay = "Clerk") {
  return "<ShiftHours><StartTime>" + from + "</StartTime><FinishTime>" + to + "</FinishTime><Department>D</Department>" +
         "<Job>" + job + "</Job><PayRateCode>" + pay + "</PayRateCode></ShiftHours>";
}

std::string Shift(const std::string& inner, const std::string& roster = "") { return "<Shift>" + roster + inner + "</Shift>"; }

std::string Roster(const std::string& from, const std::string& to, const std::string& brk) {
  return "<RosteredStartTime>" + from + "</RosteredStartTime><RosteredFinishTime>" + to +
         "</RosteredFinishTime><RosteredBreak>" + brk + "</RosteredBreak>";
}

std::string Card(const std::string& code, const std::string& inner, const std::string& total = "8") {
  return "<TimeCard Type=\"W\" Status=\"A\"><TimeCardNo>" + code + "</TimeCardNo><EmployeeName>N</EmployeeName>" +
         "<TotalHours OldValue=\"1\">" + total + "</TotalHours>" + inner + "</TimeCard>";
}

TEST(XmlTimecardReader, ShiftsAndTheirBlocks) {
  const TDateTime d5 = EncodeDate(2024, 3, 5), d6 = EncodeDate(2024, 3, 6);
  // The shift element; its blocks, start and end dates.
  const std::vector<std::tuple<const char*, std::string, std::vector<Block>, TDateTime, TDateTime>> cases = {
      {"night block", Shift(Hours("2024-03-05T22:00:00", "2024-03-06T06:00:00")), {{kOrd, 22, 30, "Normal"}}, d5, d6},
      {"two blocks around a break",
       Shift(Hours("2024-03-05T09:00:00", "2024-03-05T12:00:00") + Hours("2024-03-05T12:30:00", "2024-03-05T17:00:00")),
       {{kOrd, 9, 12, "Normal"}, {kOrd, 12.5, 17, "Normal"}}, d5, d5},
      {"two breaks after midnight keep the start day",
       Shift(Hours("2024-03-05T22:00:00", "2024-03-05T23:00:00") + Hours("2024-03-06T00:30:00", "2024-03-06T02:00:00") +
             Hours("2024-03-06T02:30:00", "2024-03-06T06:00:00")),
       {{kOrd, 22, 23, "Normal"}, {kOrd, 24.5, 26, "Normal"}, {kOrd, 26.5, 30, "Normal"}}, d5, d6},
      {"block without times is skipped", Shift(Hours("", "") + Hours("2024-03-05T09:00:00", "2024-03-05T10:00:00")),
       {{kOrd, 9, 10, "Normal"}}, d5, d5},
  };
  for (const auto& [name, shift, blocks, start_date, end_date] : cases) {
    TTimesheet timesheet;
    LoadXMLTimesheetFromString(timesheet, Doc(Card("E1", shift, "7.5")), nullptr);
    ASSERT_EQ(timesheet.Count(), 1) << name;
    const TTimesheetShift& s = *timesheet.Items(0);
    EXPECT_EQ(std::tuple(s.EmployeeCode(), s.TimesheetTotalHours(), s.ShiftStartDate(), s.ShiftEndDate()),
              std::tuple("E1", 7.5, start_date, end_date))
        << name;
    EXPECT_EQ(ByStart(Blocks(s.HoursGroupList())), ByStart(blocks)) << name;
    EXPECT_EQ(s.HoursGroupList().Items(0)->WorkCode() + s.HoursGroupList().Items(0)->JobTitle(), "GENClerk") << name;
  }
}

TEST(XmlTimecardReader, RosteredValues) {
  // The roster elements; the rostered start, end and break read.
  const std::vector<std::tuple<const char*, std::string, double, double, double>> cases = {
      {"day roster", Roster("2024-03-05T09:00:00", "2024-03-05T17:30:00", "30"), 9, 17.5, 0.5},
      {"night roster", Roster("2024-03-05T22:00:00", "2024-03-06T06:00:00", "0"), 22, 30, 0},
      {"missing roster takes the worked span", "", 8, 16.5, 0},
      {"unreadable roster counts as none", Roster("soon", "2024-03-05T17:30:00", "30"), 8, 16.5, 0},
  };
  for (const auto& [name, roster, start, end, brk] : cases) {
    TTimesheet timesheet;
    const std::string shift = Shift(Hours("2024-03-05T08:00:00", "2024-03-05T16:30:00"), roster);
    LoadXMLTimesheetFromString(timesheet, Doc(Card("E1", shift)), nullptr);
    const TTimesheetShift& s = *timesheet.Items(0);
    EXPECT_DOUBLE_EQ(s.RosteredHoursStart(), start) << name;
    EXPECT_DOUBLE_EQ(s.RosteredHoursEnd(), end) << name;
    EXPECT_DOUBLE_EQ(s.RosteredBreakHours(), brk) << name;
  }
}

TEST(XmlTimecardReader, CardsAllowancesAndLeave) {
  const std::string unit7a = "<Allowance Type=\"Unit\"><AllowanceNo>7</AllowanceNo><Value>2</Value></Allowance>";
  const std::string unit7b = "<Allowance Type=\"Unit\"><AllowanceNo>7</AllowanceNo><Value>3</Value></Allowance>";
  const std::string amount = "<Allowance Type=\"Amount\"><AllowanceNo>9</AllowanceNo><Value>15</Value></Allowance>";
  const std::string leave_on_shift_day =
      "<Leave Type=\"sick leave\" Reason=\"SICK\" Hours=\"3.5\"><FromDate>2024-03-05T12:30:00</FromDate>"
      "<ToDate>2024-03-05T16:00:00</ToDate></Leave>";
  const std::string leave_other_day =
      "<Leave Type=\"Jury Duty\" Reason=\"JURY\" Hours=\"7.6\"><FromDate>2024-03-07T00:00:00</FromDate>"
      "<ToDate>2024-03-07T00:00:00</ToDate></Leave>";
  const std::string xml = Doc(
      Card("E1", Shift(Hours("2024-03-05T09:00:00", "2024-03-05T12:00:00")) +
                     Shift(Hours("2024-03-06T09:00:00", "2024-03-06T12:00:00")) + unit7a + amount + unit7b +
                     leave_on_shift_day + leave_other_day + "<PublicHoliday>2024-03-11</PublicHoliday>") +
      Card("E2", unit7a, "0"));
  TTimesheet timesheet;
  LoadXMLTimesheetFromString(timesheet, xml, nullptr);
  ASSERT_EQ(timesheet.Count(), 4);

  TTimesheetShift& first = *timesheet.Items(0);
  TTimesheetShift& second = *timesheet.Items(1);
  EXPECT_EQ(first.Count(), 0) << "allowances go to the card's last shift";
  TTimesheetColumn* f7 = second.FindColumnByName("f7");
  ASSERT_NE(f7, nullptr);
  EXPECT_DOUBLE_EQ(f7->FloatValue(), 5);
  EXPECT_FALSE(f7->NeedVariable());
  EXPECT_EQ(second.FindColumnByName("f9"), nullptr);

  ASSERT_EQ(first.LeaveDatesList().Count(), 1);
  const TDateGroup& sick = *first.LeaveDatesList().Items(0);
  EXPECT_EQ(std::tuple(sick.LeaveType(), sick.LeaveReason(), sick.TotalHours(), sick.DateFrom()),
            std::tuple("sick leave", "SICK", 3.5, EncodeDateTime(2024, 3, 5, 12, 30, 0)));

  TTimesheetShift& leave_day = *timesheet.Items(2);
  EXPECT_EQ(std::tuple(leave_day.IsDummyShift(), leave_day.ShiftStartDate()), std::tuple(true, EncodeDate(2024, 3, 7)));
  ASSERT_EQ(leave_day.LeaveDatesList().Count(), 1);
  const TDateGroup& jury = *leave_day.LeaveDatesList().Items(0);
  EXPECT_EQ(jury.LeaveType() + "|" + jury.LeaveClass(), "User Defined Leave|Jury Duty");

  TTimesheetShift& allowance_only = *timesheet.Items(3);
  ASSERT_NE(allowance_only.FindColumnByName("f7"), nullptr);
  // Placed on the latest day any other shift starts on.
  EXPECT_EQ(std::tuple(allowance_only.IsDummyShift(), allowance_only.EmployeeCode(),
                       allowance_only.FindColumnByName("f7")->FloatValue(), allowance_only.ShiftStartDate()),
            std::tuple(true, "E2", 2.0, EncodeDate(2024, 3, 7)));
}

TEST(XmlTimecardReader, Failures) {
  // The document, the message.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<TimeCards><TimeCard>", "Start-end tags mismatch at offset 20"},
      {"<Other/>", "The document has no TimeCards element."},
      {Doc(Card("E1", Shift(Hours("2024-03-05 nine", "2024-03-05T12:00:00")))),
       "\"2024-03-05 nine\" is not a valid date and time."},
  };
  for (const auto& [xml, message] : cases) {
    TTimesheet timesheet;
    try {
      LoadXMLTimesheetFromString(timesheet, xml, nullptr);
      ADD_FAILURE() << "no error: " << message;
    } catch (const eaiPRocessorException& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
}

}  // namespace
}  // namespace qora::testing
