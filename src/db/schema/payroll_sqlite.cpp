// Payroll database (awards, employees, leave, transactions, pay periods) for
// SQLite. SQLite has no table-valued functions: the SQLite dialect expands
// calls of _ipfnGetAwards, _ipfnGetEmployeeWorkPatternDays and
// _efnGetFreqPeriodData into sub-queries (db/sql_dialect.cpp), and the
// procedure _ipspUpdateEmployeeAward_TD is supplied by the engine.
#include "db/schema/schema_sources.h"

namespace qora::schema {

const std::string_view kPayrollSqlite = R"sql(
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
  cEmpCode VARCHAR(20) NOT NULL,
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
CREATE TABLE _iptblEmployeeLeave (
  idEmployeeLeave INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iLeaveType INTEGER NOT NULL,
  iLeaveLoadingClassID INTEGER NOT NULL DEFAULT 0,
  fBalance REAL NOT NULL DEFAULT 0
);
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
CREATE VIEW _ipvPayClasses_TD AS
  SELECT PCT.idPayClassTD, PCT.iPayClassID, PCT.iAwardTDID, PC.iAwardID, PC.cCode, PC.cDescription,
         PCT.fAutoPayAmount, PCT.fNormalRate
  FROM _iptblPayClasses_TD PCT
  JOIN _iptblPayClasses PC ON PC.idPayClass = PCT.iPayClassID;
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
CREATE VIEW _ipvAwardCategoryLinks AS
  SELECT L.idAwardCategoryLink, L.iAwardTDID, C.idAwardCategory, C.cCode, C.cDescription, L.fPercentage,
         L.bStdRateOnly
  FROM _iptblAwardCategoryLinks L
  JOIN _iptblAwardCategories C ON C.idAwardCategory = L.iAwardCategoryID;
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
CREATE VIEW _ipvAwardJobs AS
  SELECT J.idAwardJob, J.iAwardID, J.cCode, J.cDescription, J.iPayClassID, PC.cCode AS PayClass,
         J.iCostAccountID, CA.cCostCode AS CostAccount
  FROM _iptblAwardJobs J
  LEFT JOIN _iptblPayClasses PC ON PC.idPayClass = J.iPayClassID
  LEFT JOIN _iptblCostAccounts CA ON CA.idCostAccount = J.iCostAccountID;
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
CREATE VIEW _ipvEmployeeAwards AS
  SELECT EA.idEmployeeAwardTD, EA.iEmployeeID, EA.iAwardID, A.cCode AS cAwardCode, A.cName AS cAwardName,
         EA.iPayClassID, PC.cCode AS cClassification, PC.cDescription AS cClassificationDescription,
         EA.iAwardEmplCategoryID, AC.cCode AS cCategory, AC.cDescription AS cCategoryDescription,
         EA.iAwardConditionGroupID, CG.cConditionGroup, EA.fYearlySalary, EA.fNormalHours, EA.bUseDefaultRate,
         EA.fNormalRate, EA.fAwardCategoryHoursToDate, EA.fAutopayAmount, EA.iChangeType, EA.iChangeReasonID,
         EA.iAgentID, EA.dEffectiveDate, EA.dEndDate
  FROM _iptblEmployeeAwards_TD EA
  JOIN _iptblAwards A ON A.idAward = EA.iAwardID
  LEFT JOIN _iptblPayClasses PC ON PC.idPayClass = EA.iPayClassID
  LEFT JOIN _iptblAwardCategories AC ON AC.idAwardCategory = EA.iAwardEmplCategoryID
  LEFT JOIN _iptblAwardConditionGroup CG ON CG.idAwardConditionGroup = EA.iAwardConditionGroupID
  WHERE EA.iChangeType <> 3;
CREATE TABLE _iptblAdditionsDeductions (
  idAddDeduct INTEGER PRIMARY KEY,
  cCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100),
  siType INTEGER NOT NULL DEFAULT 0,
  fDefaultAmtPerc REAL NOT NULL DEFAULT 0,
  bInactive INTEGER NOT NULL DEFAULT 0
);
CREATE VIEW _ipvAdditionsDeductions AS
  SELECT AD.idAddDeduct, AD.cCode, AD.cDescription, AD.siType, AD.fDefaultAmtPerc, AD.bInactive
  FROM _iptblAdditionsDeductions AD;
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
CREATE VIEW _ipvEmployeeAddsDeds AS
  SELECT EAD.idEmployeeAddDedTD, EAD.iEmployeeID, EAD.iAddsDedsID, EAD.iAwardID, AD.cCode, AD.siType,
         EAD.bUseRegister, AD.cDescription AS CADescription, EAD.fAmtPerc, EAD.dEffectiveDate, EAD.dEndDate
  FROM _iptblEmployeeAddsDeds_TD EAD
  JOIN _iptblAdditionsDeductions AD ON AD.idAddDeduct = EAD.iAddsDedsID
  WHERE EAD.iChangeType <> 3;
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
CREATE VIEW _ipvEmployeeTrans AS
  SELECT ET.idEmployeeTrans, ET.iEmployeeID, ET.iAddsDedsID, AD.cCode AS cAddDedCode, ET.iPeriodID,
         ET.iPayFrequencyID, ET.dEffectiveDate, ET.fUnits, ET.fRate, ET.fValue
  FROM _iptblEmployeeTrans ET
  JOIN _iptblAdditionsDeductions AD ON AD.idAddDeduct = ET.iAddsDedsID;
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
CREATE TABLE _iptblEmployeeWorkPatterns_TD (
  idEmployeeWorkPatternTD INTEGER PRIMARY KEY,
  iEmployeeID INTEGER NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iWorkPatternID INTEGER NOT NULL REFERENCES _iptblWorkPatterns (idWorkPattern),
  dEffectiveDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP
);
CREATE TABLE _iptblPublicHolidays (
  idPublicHoliday INTEGER PRIMARY KEY,
  dDate TIMESTAMP NOT NULL,
  cDescription VARCHAR(100) NOT NULL
);
)sql";

}  // namespace qora::schema
