// The award of each shift, for the rule engine and for the shift's pay
// operations: finds the award version a shift's award code names for the
// shift's date in the run's award cache, loading it from the payroll
// database (or, without a database, from an award file) when it is not
// there yet, and sets the shift up from it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/datetime.h"
#include "rules/award_source.h"

namespace qora {

class IShiftAward;
class TAwardConditionSource;
class TDBConnection;
class TObjAward;
class TObjListAwards;
class TShiftAwardView;
class TTimesheetShift;
class TUserFeedback;

class TAwardProvider : public IAwardProvider {
 public:
  // The payroll connection of the run as it stands when an award is asked
  // for (the run points it at each employee's payroll database); null or
  // closed means the run has no database.
  using TConnectionSource = std::function<TDBConnection*()>;

  // pAwards (the run's award cache) and pLog (may be null) are not owned
  // and must outlive the provider.
  TAwardProvider(TObjListAwards& pAwards, TUserFeedback* pLog, TConnectionSource pConnection);
  ~TAwardProvider() override;
  TAwardProvider(const TAwardProvider&) = delete;
  TAwardProvider& operator=(const TAwardProvider&) = delete;

  // With an open connection: the award version of pCode in force on the
  // shift's start date, loading the awards of that date when the cache has
  // none. Without: the award file pCode names (AwardFileNameForCode), read
  // once per call. Then sets the shift up: BaseRate from the pay class of
  // the shift's classification (kept, with a warning in the run log, when
  // the award has no such pay class), StandardRate from the standard pay
  // class's hourly rate, StandardWeeklyHours from the award's weekly hours,
  // and WeeklySalary from their product. Throws eaiPRocessorException
  // "Employee "<code>" is not an award employee" for an empty pCode and
  // "Could not load award code "<award>" for Employee "<code>"" when no
  // version covers the date; an award file that cannot be read throws its
  // eLoadFromFileException; database errors propagate. The returned award
  // is owned by the provider and stays valid at the same address for the
  // rest of the call.
  IAwardConditions& PrepareShiftAward(TTimesheetShift& pShift, const std::string& pCode) override;

  // The award already loaded for the shift's award code and start date (or
  // read from the file the code names); null when none is loaded or the
  // shift has no award code. Loads nothing.
  TObjAward* FindLoadedAward(const TTimesheetShift& pShift) const;
  // The shift's view of that award; null when FindLoadedAward is. Owned by
  // the provider, valid for the rest of the call.
  const IShiftAward* FindShiftAward(const TTimesheetShift& pShift);

 private:
  TObjAward& FindOrLoad(const TTimesheetShift& pShift, const std::string& pCode);
  TObjAward& FindOrLoadFile(const std::string& pCode);
  void SetUpShift(TObjAward& pAward, TTimesheetShift& pShift) const;

  TObjListAwards& FAwards;
  TUserFeedback* FLog;
  TConnectionSource FConnection;
  // Awards read from files, by file name (not owned: the cache owns them).
  std::map<std::string, TObjAward*> FFileAwards;
  std::map<const TObjAward*, std::unique_ptr<TAwardConditionSource>> FConditions;
  std::map<const TObjAward*, std::unique_ptr<TShiftAwardView>> FViews;
  // The view FindShiftAward gave last, for that award code and start date;
  // null once an award has been loaded since.
  const IShiftAward* FLastView = nullptr;
  std::string FLastViewCode;
  TDateTime FLastViewDate = 0;
};

}  // namespace qora
