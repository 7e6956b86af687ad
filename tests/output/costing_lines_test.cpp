// Guards the pay lines against wrong sums, merges, field counts, record IDs, header order, cap arithmetic and lost or duplicated lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <regex>
#include <sstream>

#include "common/exceptions.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"

namespace qora {
namespace {


std::vector<std::string> Fields(const std::string& line, char sep) {
  std::vector<std::string> out(1);
  for (char c : line) {
    if (c == sep) {
      out.emplace_back();
    } else {
      out.back().push_back(c);
    }
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  TStringList list;
  list.SetText(text);
  return list.Items();
}

struct Costing : ::testing::Test {
  const TDateTime kDay = EncodeDate(2024, 3, 5);
  TUserFeedback log;
  TTimesheetManager tm;
  void SetUp() override { tm.SetUserFeedback(&log); }

  TTimesheetShift& Shift(const std::string& emp, TDateTime day, const std::string& pay_class = "C1") {
    auto s = std::make_unique<TTimesheetShift>();
    s->SetEmployeeCode(emp);
    s->SetShiftStartDate(day);
    s->SetShiftEndDate(day);
    s->SetID(11);
    s->SetTimesheetID(7);
    s->SetEmployeeClassification(pay_class);
    s->SetEmployeeAward("HOSP");
    s->SetEmployeeNormalRate(25);
    return *tm.Timesheet().AddShift(std::move(s));
  }
  static void Hours(TTimesheetShift& s, double from, double to, const std::string& account = "") {
    auto g = std::make_unique<THoursGroup>();
    g->SetHoursType(THoursType::htOrdinary);
    g->SetFromTime(from);
    g->SetToTime(to);
    g->SetRateCode("Normal");
    g->SetRate(30);
    g->SetCostAccount(account);
    s.HoursGroupList().Add(std::move(g));
  }
  static void Penalty(TTimesheetShift& s) {
    TPenalty& p = *s.PenaltyList().AddNew();
    p.SetAddDedCode("PEN1");
    p.SetAddDedType("Percent");
    p.SetUnits(2);
    p.SetAmountPerc(50);
    p.SetRate(30);
    p.SetPayOption(TaiConditionPayOpt::aicpo_PercOfStd);
  }
  TDateGroup& Leave(TLeaveDateList& list, const std::string& type, double hours) {
    TDateGroup& d = *list.AddNew();
    d.SetLeaveType(type);
    d.SetDateFrom(kDay);
    d.SetDateTo(kDay);
    d.SetTotalHours(hours);
    d.SetRate(25);
    return d;
  }
  std::string Yif() {
    std::ostringstream out;
    tm.SaveYIFToStream(out);
    return out.str();
  }
};

TEST_F(Costing, CsvLinesMergeHoursPricePenaltiesAndCountTheirFields) {
  TTimesheetShift& s = Shift("E001", kDay);
  Hours(s, 9, 12);
  Hours(s, 12.5, 17.5, "A1");  // a top-up without an account joins the worked hours' line
  Penalty(s);  // 2 units at 50 % of 30
  Leave(s.RDODatesList(), "RDO", 7.6);
  Leave(s.RDODatesList(), "RDO", 0.004);  // rounds to no hours: left out with a warning
  Leave(s.LeaveDatesList(), "Sick Leave", 7.6);
  Leave(s.LeaveDatesList(), "annual leave", 7.6).SetALLink(3);
  TAllowance& nil = *s.AllowanceList().AddNew();  // worth nothing: left out with a warning
  nil.SetAddDedCode("UNIFORM");
  nil.SetPayOption(TaiConditionPayOpt::aicpo_Amount);

  const std::vector<std::string> lines = Lines(tm.CSVCostingAsString());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(Fields(lines[0], ',').size(), 21u);
  EXPECT_EQ(lines[1], "E001,05/03/2024,Ordinary Hours,Normal,8.0,30.0,240.0,Hours,A1,,C1,12.5,17.5,11,7,,05/03/2024,,,0.0");
  const std::vector<size_t> counts = {17, 20, 20, 21};  // RDO, penalty, sick leave, annual leave
  for (size_t i = 0; i < counts.size(); ++i) EXPECT_EQ(Fields(lines[i + 2], ',').size(), counts[i]) << lines[i + 2];
  EXPECT_EQ(Fields(lines[2], ',')[6], "190.0");  // 7.6 h at the employee's 25
  EXPECT_EQ(Fields(lines[3], ',')[6], "30.0");   // 2 units at 50 % of 30
  EXPECT_EQ(Fields(lines[5], ',')[20], "3");
  ASSERT_GE(log.Count(), 2);
  EXPECT_EQ(log.Messages()[log.Count() - 2].Text,
            "Employee \"E001\": No value for hours transaction \"RDO Hours\". Transaction not generated.");
  EXPECT_EQ(log.Messages().back().Text,
            "Employee \"E001\": No value for addition code \"UNIFORM\". Transaction not generated.");
  EXPECT_EQ(log.Messages().back().Info.Severity, TMessageSeverity::ms_Warning);
}

TEST_F(Costing, CsvFileKeepsOneHeaderWhenAppendedTo) {
  Hours(Shift("E001", kDay), 9, 17);
  const std::string file = (std::filesystem::temp_directory_path() / "qora_costing_append.csv").string();
  std::filesystem::remove(file);
  tm.SaveCSVCostingFile(file);
  tm.SaveCSVCostingFile(file);
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("EmployeeCode,", 0), 0u);
  EXPECT_EQ(lines[1], lines[2]);
  std::filesystem::remove(file);
}

TEST_F(Costing, YifPutsLaterShiftsUnderTheEmployeeHeaderWithTheRdoFlag) {
  Shift("", kDay);  // no employee: never costed
  TTimesheetShift& failed = Shift("E009", kDay);
  Hours(failed, 9, 17);
  failed.SetRejected(true);  // the run could not cost it: never paid
  ASSERT_EQ(Lines(Yif()).size(), 1u);  // nothing costable: the file header alone
  Hours(Shift("E001", kDay), 9, 17);
  TTimesheetShift& second = Shift("E001", kDay + 1);
  Hours(second, 9, 17);
  Leave(second.RDODatesList(), "RDO", 7.6);
  Hours(Shift("E002", kDay, ""), 9, 10);
  const std::vector<std::string> lines = Lines(Yif());
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(R"(YIFV02\.00\\DODO\\\d{8}\\\\\\\d{6}\\D)"))) << lines[0];
  EXPECT_EQ(lines[1], R"(E001\\\N\\P\\)");
  EXPECT_EQ(lines[2], R"(\TA,C1\30.0\\Normal\8.0\06032024\0.0\\06032024\)");
  EXPECT_EQ(lines[3], R"(\TR\P\\\\\\\\\\\7.6\190.0)");
  EXPECT_EQ(lines[4], R"(\TA,C1\30.0\\Normal\8.0\05032024\0.0\\05032024\)");
  EXPECT_EQ(lines[5], R"(E002\\\N\\\\)");
  EXPECT_EQ(lines[6].rfind(R"(\TA\30.0\)", 0), 0u) << lines[6];
}

TEST_F(Costing, YifLeaveAndPenaltyRecordsFollowTheirLayouts) {
  TTimesheetShift& s = Shift("E001", kDay);
  Leave(s.LeaveDatesList(), "Annual Leave", 7.6).SetALLink(4);
  Leave(s.LeaveDatesList(), "Sick Leave", 7.6);
  Penalty(s);  // 2 units at 50 % of 30
  const std::vector<std::string> lines = Lines(Yif());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], R"(\TN\P\PEN1\30.0\0.0\50.0\2.0\2.0\\2.0\\05032024\\05032024\)");  // YIF value: the units
  EXPECT_EQ(lines[3], R"(\TL\25.0\\7.6\05032024\05032024\\\\\4)");
  EXPECT_EQ(lines[4], R"(\TS\25.0\\7.6\05032024\05032024\\\)");
}

TEST_F(Costing, GenerationErrorsEndTheOutput) {
  struct Case {
    std::function<void(TTimesheetShift&)> setup;
    std::string message;
  };
  const std::vector<Case> cases = {
      {[this](TTimesheetShift& s) { Leave(s.LeaveDatesList(), "Other", 8); },
       "Employee \"E001\": Unknown Leave Transaction Type \"Other\""},
      {[this](TTimesheetShift& s) { Leave(s.LeaveDatesList(), "User Defined Leave", 8); },
       "Employee \"E001\": \"Leave Class\" was not supplied for a User Defined Leave Transaction"},
      {[](TTimesheetShift& s) {
         Hours(s, 9, 12, "A1");
         Hours(s, 13, 17, "B2");
       },
       "\"Normal\": This type of transaction already exists in the transaction list"},
  };
  for (const Case& c : cases) {
    tm.ClearAll();
    c.setup(Shift("E001", kDay));
    try {
      Yif();
      ADD_FAILURE() << c.message;
    } catch (const eGeneratorException& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST_F(Costing, CappedAndWeeklyAllowancesCountTheWindowsPayments) {
  struct Case {
    TaiCondMinMax kind;
    TaiAllowancePayUnit cap_unit;
    double cap;
    TaiAllowancePayUnit unit;
    std::vector<int> days;
    std::vector<std::string> values;  // "" = no line
  };
  using U = TaiAllowancePayUnit;
  using K = TaiCondMinMax;
  const std::vector<Case> cases = {
      {K::aicmm_Max, U::aiapu_Week, 50, U::aiapu_Shift, {0, 2, 7}, {"40.0", "10.0", "40.0"}},
      {K::aicmm_Min, U::aiapu_Week, 50, U::aiapu_Shift, {0, 2}, {"50.0", "40.0"}},
      {K::aicmm_Min, U::aiapu_Day, 50, U::aiapu_Shift, {0, 1}, {"50.0", "50.0"}},
      {K::aicmm_None, U::aiapu_Week, 50, U::aiapu_Shift, {0, 2}, {"40.0", "40.0"}},
      {K::aicmm_None, U::aiapu_None, 0, U::aiapu_Week, {0, 6, 7}, {"40.0", "", "40.0"}},
  };
  for (const Case& c : cases) {
    tm.ClearAll();
    for (int day : c.days) {
      TAllowance& a = *Shift("E001", kDay + day).AllowanceList().AddNew();
      a.SetAddDedCode("MEAL");
      a.SetPayOption(TaiConditionPayOpt::aicpo_Amount);
      a.SetAmountPerc(40);
      a.SetUnitType(c.unit);
      a.SetCapAmount(c.cap);
      a.SetCapUnitType(c.cap_unit);
      a.SetCapMinMax(c.kind);
    }
    const std::string csv = tm.CSVCostingAsString();
    EXPECT_EQ(tm.CSVCostingAsString(), csv);  // a second output carries the same lines
    std::vector<std::string> values;
    for (const std::string& line : Lines(csv)) values.push_back(Fields(line, ',')[6]);
    values.erase(values.begin());
    std::vector<std::string> expected = c.values;
    std::erase(expected, "");
    EXPECT_EQ(values, expected) << static_cast<int>(c.kind) << " " << c.days.size();
  }
}

}  // namespace
}  // namespace qora
