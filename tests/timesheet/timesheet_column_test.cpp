// Guards against column text read wrongly by field type, unreadable dates that pass silently or with another
// message, writers with the wrong fixed text, and component columns that keep a stale value.
#include "common/exceptions.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

using F = TFieldType;

TEST(TimesheetColumn, TypedViewsReadTheTextByFieldType) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  const TDateTime t1330 = EncodeTime(13, 30, 15);
  // Field type, text; read as a float (and a date), an integer, a boolean.
  const std::vector<std::tuple<F, std::string, double, int64_t, bool>> cases{
      {F::ftFloat, " -3 ", -3, -3, true},
      {F::ftFloat, "abc", 0, 0, false},
      {F::ftString, "", 0, 0, false},
      {F::ftBoolean, "True", 0, 0, true},
      {F::ftBoolean, "0", 0, 0, false},
      {F::ftDate, "2024-03-05", day, int64_t(day), false},
      {F::ftDate, "  2024-03-05  ", day, int64_t(day), false},
      {F::ftDateTime, "2024-03-05 13:30:15", day + t1330, int64_t(day), false},
      {F::ftDateTime, "2024-03-05 1", day, int64_t(day), false},  // too short for a time: date only
      {F::ftTime, "13:30:15", t1330, 0, false},
  };
  for (const auto& [type, text, as_float, as_int, as_bool] : cases) {
    TTimesheetColumn col;
    col.SetFieldType(type);
    col.SetStringValue(text);
    EXPECT_NEAR(col.FloatValue(), as_float, 1e-9) << text;
    EXPECT_NEAR(col.DateValue(), as_float, 1e-9) << text;
    EXPECT_EQ(std::tuple(col.IntegerValue(), col.BooleanValue()), std::tuple(as_int, as_bool)) << text;
  }
}

TEST(TimesheetColumn, UnreadableDatesAndTimesFailWithTheFormatMessage) {
  const std::vector<std::string> bad_dates{"2024-13-05", "05/03/2024", "2024-02-30", "2024-03-05 25:00:00",
                                           "2024-03-05 10:3x"};
  for (const std::string& text : bad_dates) {
    for (F type : {F::ftDate, F::ftDateTime}) {
      TTimesheetColumn col;
      col.SetFieldType(type);
      col.SetStringValue(text);
      try {
        col.DateValue();
        ADD_FAILURE() << "no error for " << text;
      } catch (const eaiPRocessorException& e) {
        EXPECT_EQ(std::string(e.what()), "\"" + text + "\" is not a valid date. Please use the YYMM-MM-DD format.");
      }
      EXPECT_THROW(col.FloatValue(), eaiPRocessorException) << text;
      EXPECT_THROW(col.IntegerValue(), eaiPRocessorException) << text;
    }
  }
  TTimesheetColumn time;
  time.SetFieldType(F::ftTime);
  time.SetStringValue("7pm");
  EXPECT_THROW(time.TimeValue(), eaiPRocessorException);
  EXPECT_THROW(time.FloatValue(), eaiPRocessorException);
}

TEST(TimesheetColumn, WritersProduceFixedTextForms) {
  TTimesheetColumn col;
  for (const auto& [value, text] : std::vector<std::pair<double, std::string>>{
           {1.0 / 3, "0.333333"}, {-1.23456789, "-1.234568"}, {0.0000004, "0.000000"}}) {
    col.SetFloatValue(value);
    EXPECT_EQ(col.RawValue(), text) << value;
  }
  col.SetIntegerValue(-7);
  EXPECT_EQ(col.RawValue(), "-7");
  col.SetBooleanValue(true);
  EXPECT_EQ(col.RawValue(), "1");
  const TDateTime when = EncodeDateTime(2024, 3, 5, 13, 30, 15);
  col.SetDateValue(when);
  EXPECT_EQ(col.RawValue(), "2024-03-05 13:30:15");
  col.SetFieldType(F::ftDateTime);
  EXPECT_NEAR(col.DateValue(), when, 1e-9);
  col.SetTimeValue(EncodeTime(7, 5, 9));
  EXPECT_EQ(col.RawValue(), "07:05:09");
  EXPECT_NEAR(col.TimeValue(), EncodeTime(7, 5, 9), 1e-9);
}

TEST(TimesheetColumn, ComponentColumnAlwaysReadsTheShiftsHoursOfItsComponent) {
  TTimesheetShift shift;
  TTimesheetColumn* col = shift.AddColumn(std::make_unique<TTimesheetColumn>());
  EXPECT_EQ(col->TimesheetShift(), &shift);
  col->SetFieldName("OT150");
  col->SetIsComponent(true);
  col->SetFieldType(F::ftFloat);
  col->SetStringValue("99");
  EXPECT_EQ(col->StringValue(), "0");
  shift.HoursGroupList().Add(MakeGroup(THoursType::htOvertime, 17, 19, "OT150"));
  shift.HoursGroupList().Add(MakeGroup(THoursType::htOvertime, 19, 19.5, "OT200"));
  shift.HoursGroupList().Add(MakeGroup(THoursType::htOvertime, 20, 21.5, "OT150"));
  EXPECT_EQ(col->StringValue(), "3.5");
  EXPECT_DOUBLE_EQ(col->FloatValue(), 3.5);
  shift.HoursGroupList().Add(MakeGroup(THoursType::htOvertime, 22, 22 + 1.0 / 3, "OT150"));
  EXPECT_EQ(col->StringValue(), "3.83333");
  EXPECT_EQ(std::get<std::string>(GetPublishedValue(*col, "StringValue")), "3.83333");

  TTimesheetColumn loose;
  loose.SetIsComponent(true);
  loose.SetStringValue("5");
  EXPECT_EQ(loose.StringValue(), "0");
}

}  // namespace
}  // namespace qora::testing
