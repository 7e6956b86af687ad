#include "award/award_provider.h"

#include <utility>

#include "award/award.h"
#include "award/award_conditions.h"
#include "award/award_db_loader.h"
#include "award/award_file.h"
#include "award/award_list.h"
#include "award/shift_award_view.h"
#include "common/datetime.h"
#include "common/format.h"
#include "common/exceptions.h"
#include "common/text.h"
#include "db/connection.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

TAwardProvider::TAwardProvider(TObjListAwards& pAwards, TUserFeedback* pLog, TConnectionSource pConnection)
    : FAwards(pAwards), FLog(pLog), FConnection(std::move(pConnection)) {}

TAwardProvider::~TAwardProvider() = default;

IAwardConditions& TAwardProvider::PrepareShiftAward(TTimesheetShift& pShift, const std::string& pCode) {
  if (Trim(pCode).empty()) {
    throw eaiPRocessorException(Format("Employee \"%s\" is not an award employee", pShift.EmployeeCode()));
  }
  TObjAward& award = FindOrLoad(pShift, pCode);
  std::unique_ptr<TAwardConditionSource>& conditions = FConditions[&award];
  if (!conditions) {
    // The award does not change during the call: its components learn
    // their award once, not for every shift.
    award.SetupListProperties();
    conditions = std::make_unique<TAwardConditionSource>(award);
  }
  SetUpShift(award, pShift);
  return *conditions;
}

TObjAward& TAwardProvider::FindOrLoad(const TTimesheetShift& pShift, const std::string& pCode) {
  TDBConnection* connection = FConnection ? FConnection() : nullptr;
  if (connection == nullptr || !connection->Connected()) return FindOrLoadFile(pCode);
  const TDateTime date = pShift.ShiftStartDate();
  TObjAward* award = FAwards.GetAward(pCode, date);
  if (award == nullptr) {
    FLastView = nullptr;
    LoadAwardsForDate(*connection, date, FAwards, FLog, pShift.TimesheetID());
    award = FAwards.GetAward(pCode, date);
  }
  if (award == nullptr) {
    throw eaiPRocessorException(
        Format("Could not load award code \"%s\" for Employee \"%s\"", pCode, pShift.EmployeeCode()));
  }
  return *award;
}

TObjAward& TAwardProvider::FindOrLoadFile(const std::string& pCode) {
  const std::string file_name = AwardFileNameForCode(pCode);
  if (TObjAward* cached = FAwards.GetAward(file_name, Today())) return *cached;
  // The award keeps the code written in the file, which is not the file's
  // name, so the cache alone would never find it again: remember which file
  // gave which award, so that each file is read once per call.
  auto found = FFileAwards.find(file_name);
  if (found != FFileAwards.end()) return *found->second;
  FLastView = nullptr;
  std::unique_ptr<TObjAward> loaded = LoadAwardFile(file_name);
  TObjAward* award = loaded.get();
  FAwards.Add(std::move(loaded));
  FFileAwards.emplace(file_name, award);
  return *award;
}

void TAwardProvider::SetUpShift(TObjAward& pAward, TTimesheetShift& pShift) const {
  const TObjAwardClassRate* rate = pAward.ObjLstClassRates().GetClassRate(pShift.EmployeeClassification());
  if (rate != nullptr) {
    pShift.SetBaseRate(rate->HourlyRate());
  } else if (FLog != nullptr) {
    // The shift is still costed; the payroll officer learns which
    // classification needs a pay class before the pay goes out.
    FLog->AddLogMessage(Format("Employee \"%s\": classification \"%s\" is not a pay class of award \"%s\"; the "
                               "shift keeps its base rate of %f.",
                               pShift.EmployeeCode(), pShift.EmployeeClassification(), pAward.Code(),
                               pShift.BaseRate()),
                        pShift.TimesheetID(), TMessageSeverity::ms_Warning, false);
  }
  pShift.SetStandardRate(pAward.StdHourlyRate());
  pShift.SetStandardWeeklyHours(pAward.WeeklyBaseHours());
  pShift.SetWeeklySalary(pAward.StdHourlyRate() * pAward.WeeklyBaseHours());
}

TObjAward* TAwardProvider::FindLoadedAward(const TTimesheetShift& pShift) const {
  const std::string& code = pShift.EmployeeAward();
  if (Trim(code).empty()) return nullptr;
  if (TObjAward* award = FAwards.GetAward(code, pShift.ShiftStartDate())) return award;
  auto found = FFileAwards.find(AwardFileNameForCode(code));
  return found != FFileAwards.end() ? found->second : nullptr;
}

const IShiftAward* TAwardProvider::FindShiftAward(const TTimesheetShift& pShift) {
  // A shift's pay operations ask again and again: the last answer holds
  // for the same code and date until an award is loaded.
  if (FLastView != nullptr && FLastViewDate == pShift.ShiftStartDate() && FLastViewCode == pShift.EmployeeAward()) {
    return FLastView;
  }
  TObjAward* award = FindLoadedAward(pShift);
  if (award == nullptr) return nullptr;
  std::unique_ptr<TShiftAwardView>& view = FViews[award];
  if (!view) view = std::make_unique<TShiftAwardView>(*award);
  FLastView = view.get();
  FLastViewCode = pShift.EmployeeAward();
  FLastViewDate = pShift.ShiftStartDate();
  return view.get();
}

}  // namespace qora
