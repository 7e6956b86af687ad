// Payroll database (awards, employees, leave, transactions, pay periods) for
// SQLite. SQLite has no table-valued functions: the SQLite dialect expands
// calls of _ipfnGetAwards, _ipfnGetEmployeeWorkPatternDays and
// _efnGetFreqPeriodData into sub-queries (db/sql_dialect.cpp), and the
// procedure _ipspUpdateEmployeeAward_TD is supplied by the engine.
#include "db/schema/schema_sources.h"

namespace qora::schema {

const std::string_view kPayrollSqliteTables = R"sql(
CREATE TABLE _iptblPayFrequencies (
  idPayFrequency INTEGER PRIMARY KEY,
  cCode VARCHAR(10) NOT NULL,
  cDescription VARCHAR(50),
  iFrequency INTEGER NOT NULL
);
CREATE TABLE _iptblCostAccounts (
  idCostAccount INTEGER PRIMARY KEY,
  cCostCode VARCHAR(30) NOT NULL,
  cDescription VARCHAR(100)
);
CREATE TABLE _iptblEmployee (
  idEmployee INTEGER PRIMARY KEY,
  cEmpCode VARCHAR(20) NOT NULL COLLATE NOCASE,
  cFirstName VARCHAR(50),
  cSurname VARCHAR(50),
  cEmploymentType VARCHAR(20),
  dDateOfBirth TIMESTAMP,
  dHiredDate TIMESTAMP,
  dTerminationDate TIMESTAMP,
  iPayFrequencyID INTEGER NOT NULL REFERENCES _iptblPayFrequencies (idPayFrequency)
);
CREATE UNIQUE INDEX _ipixEmployeeCode ON _iptblEmployee (cEmpCode);
CREATE TABLE _iptblEmployeeRates_TD (
  idEmployeeRateTD INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  fNormalRate REAL NOT NULL DEFAULT 0,
  fNormalHours REAL NOT NULL DEFAULT 0,
  fYearlySalary REAL NOT NULL DEFAULT 0,
  dEffectiveDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP
);
CREATE INDEX _ipixEmployeeRatesEmployee ON _iptblEmployeeRates_TD (iEmployeeID);
CREATE TABLE _iptblEmployeeLeave (
  idEmployeeLeave INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iLeaveType INTEGER NOT NULL,
  iLeaveLoadingClassID INTEGER NOT NULL DEFAULT 0,
  fBalance REAL NOT NULL DEFAULT 0
);
CREATE INDEX _ipixEmployeeLeaveEmployee ON _iptblEmployeeLeave (iEmployeeID, iLeaveType);
CREATE TABLE _iptblAwards (
  idAward INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cName VARCHAR(100),
  bInactive INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE _iptblAwards_TD (
  idAwardTD INTEGER PRIMARY KEY,
  iAwardID INTEGER NOT NULL REFERENCES _iptblAwards (idAward),
  cDeftClassCode VARCHAR(20),
  cDeftClassDesc VARCHAR(100),
  fWeeklyBaseHours REAL NOT NULL DEFAULT 0,
  iStdPayClassTDID INTEGER NOT NULL DEFAULT 0,
  iChangeReasonID INTEGER NOT NULL DEFAULT 0,
  dEffectiveDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP
);
CREATE TABLE _iptblPayClasses (
  idPayClass INTEGER PRIMARY KEY,
  iAwardID INTEGER NOT NULL REFERENCES _iptblAwards (idAward),
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100)
);
CREATE TABLE _iptblPayClasses_TD (
  idPayClassTD INTEGER PRIMARY KEY,
  iPayClassID INTEGER NOT NULL REFERENCES _iptblPayClasses (idPayClass),
  iAwardTDID INTEGER NOT NULL REFERENCES _iptblAwards_TD (idAwardTD),
  fAutoPayAmount REAL NOT NULL DEFAULT 0,
  fNormalRate REAL NOT NULL DEFAULT 0
);
CREATE TABLE _iptblAwardCategories (
  idAwardCategory INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100)
);
CREATE TABLE _iptblAwardCategoryLinks (
  idAwardCategoryLink INTEGER PRIMARY KEY,
  iAwardTDID INTEGER NOT NULL REFERENCES _iptblAwards_TD (idAwardTD),
  iAwardCategoryID INTEGER NOT NULL REFERENCES _iptblAwardCategories (idAwardCategory),
  fPercentage REAL NOT NULL DEFAULT 100,
  bStdRateOnly INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE _iptblAwardConditionGroup (
  idAwardConditionGroup INTEGER PRIMARY KEY,
  iAwardID INTEGER NOT NULL REFERENCES _iptblAwards (idAward),
  cConditionGroup VARCHAR(50) NOT NULL
);
CREATE TABLE _iptblAwardJobs (
  idAwardJob INTEGER PRIMARY KEY,
  iAwardID INTEGER NOT NULL REFERENCES _iptblAwards (idAward),
  cCode VARCHAR(50) NOT NULL,
  cDescription VARCHAR(100),
  iPayClassID INTEGER REFERENCES _iptblPayClasses (idPayClass),
  iCostAccountID INTEGER REFERENCES _iptblCostAccounts (idCostAccount)
);
CREATE TABLE _iptblAwardConditions (
  idAwardCondition INTEGER PRIMARY KEY,
  iAwardTDID INTEGER NOT NULL REFERENCES _iptblAwards_TD (idAwardTD),
  iConditionModule INTEGER NOT NULL,
  iConditionType INTEGER NOT NULL,
  cDescription VARCHAR(100),
  nConditionsXML TEXT
);
CREATE TABLE _iptblEmployeeAwards_TD (
  idEmployeeAwardTD INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iAwardID INTEGER NOT NULL REFERENCES _iptblAwards (idAward),
  iPayClassID INTEGER NOT NULL DEFAULT 0,
  iAwardEmplCategoryID INTEGER NOT NULL DEFAULT 0,
  iAwardConditionGroupID INTEGER NOT NULL DEFAULT 0,
  fYearlySalary REAL NOT NULL DEFAULT 0,
  fNormalHours REAL NOT NULL DEFAULT 0,
  bUseDefaultRate INTEGER NOT NULL DEFAULT 1,
  fNormalRate REAL NOT NULL DEFAULT 0,
  fAwardCategoryHoursToDate REAL NOT NULL DEFAULT 0,
  fAutopayAmount REAL NOT NULL DEFAULT 0,
  iChangeType INTEGER NOT NULL DEFAULT 1,
  iChangeReasonID INTEGER NOT NULL DEFAULT 0,
  iAgentID INTEGER NOT NULL DEFAULT 0,
  dEffectiveDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP
);
CREATE INDEX _ipixEmployeeAwardsEmployee ON _iptblEmployeeAwards_TD (iEmployeeID);
CREATE TABLE _iptblAdditionsDeductions (
  idAddDeduct INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100),
  siType INTEGER NOT NULL DEFAULT 0,
  fDefaultAmtPerc REAL NOT NULL DEFAULT 0,
  bInactive INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE _iptblEmployeeAddsDeds_TD (
  idEmployeeAddDedTD INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iAddsDedsID INTEGER NOT NULL REFERENCES _iptblAdditionsDeductions (idAddDeduct),
  iAwardID INTEGER NOT NULL DEFAULT 0,
  bUseRegister INTEGER NOT NULL DEFAULT 1,
  fAmtPerc REAL NOT NULL DEFAULT 0,
  iChangeType INTEGER NOT NULL DEFAULT 1,
  dEffectiveDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP
);
CREATE INDEX _ipixEmployeeAddsDedsEmployee ON _iptblEmployeeAddsDeds_TD (iEmployeeID, iAwardID);
CREATE TABLE PRPeriod (
  Counter INTEGER PRIMARY KEY,
  PayFrequencyID INTEGER NOT NULL REFERENCES _iptblPayFrequencies (idPayFrequency),
  PeriodStart TIMESTAMP NOT NULL,
  PeriodEnd TIMESTAMP NOT NULL,
  IsProcessed INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE _iptblEmployeeTrans (
  idEmployeeTrans INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iAddsDedsID INTEGER NOT NULL REFERENCES _iptblAdditionsDeductions (idAddDeduct),
  iPeriodID INTEGER REFERENCES PRPeriod (Counter),
  iPayFrequencyID INTEGER NOT NULL DEFAULT 0,
  dEffectiveDate TIMESTAMP NOT NULL,
  fUnits REAL NOT NULL DEFAULT 0,
  fRate REAL NOT NULL DEFAULT 0,
  fValue REAL NOT NULL DEFAULT 0
);
CREATE INDEX _ipixEmployeeTransEmployee ON _iptblEmployeeTrans (iEmployeeID, iAddsDedsID);
CREATE TABLE _iptblRateTypes (
  idRateType INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100)
);
CREATE TABLE _iptblRateTypes_TD (
  idRateTypeTD INTEGER PRIMARY KEY,
  iRateTypeID INTEGER NOT NULL REFERENCES _iptblRateTypes (idRateType),
  fRate REAL NOT NULL DEFAULT 0,
  iType INTEGER NOT NULL DEFAULT 0,
  iGrouping INTEGER NOT NULL DEFAULT 0,
  dEffectiveDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP
);
CREATE TABLE _iptblLeaveReasons (
  idLeaveReason INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100),
  bUnpaid INTEGER NOT NULL DEFAULT 0,
  iRateTypeID INTEGER NOT NULL REFERENCES _iptblRateTypes (idRateType),
  iCostAccountID INTEGER REFERENCES _iptblCostAccounts (idCostAccount)
);
CREATE TABLE _iptblUserDefinedLeave (
  idLeave INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100)
);
CREATE TABLE _iptblWorkPatterns (
  idWorkPattern INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100),
  iCycleDays INTEGER NOT NULL DEFAULT 7,
  dCycleStartDate TIMESTAMP NOT NULL
);
CREATE TABLE _iptblWorkPatternDays (
  idWorkPatternDay INTEGER PRIMARY KEY,
  iWorkPatternID INTEGER NOT NULL REFERENCES _iptblWorkPatterns (idWorkPattern),
  iDayNo INTEGER NOT NULL,
  fHours REAL NOT NULL DEFAULT 0
);
CREATE INDEX _ipixWorkPatternDaysPattern ON _iptblWorkPatternDays (iWorkPatternID, iDayNo);
CREATE TABLE _iptblEmployeeWorkPatterns_TD (
  idEmployeeWorkPatternTD INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iWorkPatternID INTEGER NOT NULL REFERENCES _iptblWorkPatterns (idWorkPattern),
  dEffectiveDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP
);
CREATE INDEX _ipixEmployeeWorkPatternsEmployee ON _iptblEmployeeWorkPatterns_TD (iEmployeeID);
CREATE TABLE _iptblPublicHolidays (
  idPublicHoliday INTEGER PRIMARY KEY,
  dDate TIMESTAMP NOT NULL,
  cDescription VARCHAR(100) NOT NULL
);
)sql";

}  // namespace qora::schema
