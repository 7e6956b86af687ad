// Common database (people, users, stored timesheets, costing, run messages,
// payroll database registry) for SQLite. Stored procedures of this database
// are supplied by the engine (db/sqlite_procedures.h); the cycle function
// _esfnTimesheetCycleFromDate is registered on each SQLite connection.
#include "db/schema/schema_sources.h"

namespace qora::schema {

const std::string_view kCommonSqlite = R"sql(
CREATE TABLE _hrtblPayrollDatabase (
  idPayrollDatabase INTEGER PRIMARY KEY,
  cPayrollLinkToken VARCHAR(50) NOT NULL,
  cDescription VARCHAR(100),
  cServer VARCHAR(255) NOT NULL,
  cDatabase VARCHAR(255) NOT NULL
);
CREATE TABLE _hrtblPerson (
  idPerson INTEGER PRIMARY KEY,
  cEmployeeCode VARCHAR(20) COLLATE NOCASE,
  cFirstName VARCHAR(50),
  cSurname VARCHAR(50),
  iPayrollDatabaseID INTEGER REFERENCES _hrtblPayrollDatabase (idPayrollDatabase)
);
CREATE INDEX _hrixPersonEmployeeCode ON _hrtblPerson (cEmployeeCode);
CREATE TABLE _estblUsers (
  idUser INTEGER PRIMARY KEY,
  cUserName VARCHAR(50) NOT NULL,
  iPersonID INTEGER REFERENCES _hrtblPerson (idPerson)
);
CREATE INDEX _esixUsersPerson ON _estblUsers (iPersonID);
CREATE TABLE _estblJobCode (
  idJobCode INTEGER PRIMARY KEY,
  cJobCode VARCHAR(20) NOT NULL,
  cDescription VARCHAR(100)
);
CREATE TABLE _estblTimesheet (
  idTimesheet INTEGER PRIMARY KEY,
  iUserID INTEGER REFERENCES _estblUsers (idUser),
  iStatus INTEGER NOT NULL DEFAULT 0,
  cDescription VARCHAR(100),
  dStartDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP NOT NULL,
  iImportType INTEGER NOT NULL DEFAULT 0,
  nData TEXT
);
CREATE TABLE _estblTimesheetRow (
  idTimesheetRow INTEGER PRIMARY KEY,
  iTimesheetID INTEGER NOT NULL REFERENCES _estblTimesheet (idTimesheet),
  iUserID INTEGER REFERENCES _estblUsers (idUser),
  dDateWorked TIMESTAMP NOT NULL,
  bIsOffDay INTEGER NOT NULL DEFAULT 0,
  dLastImportDate TIMESTAMP
);
CREATE INDEX _esixTimesheetRowTimesheet ON _estblTimesheetRow (iTimesheetID);
CREATE INDEX _esixTimesheetRowUser ON _estblTimesheetRow (iUserID, dDateWorked);
CREATE TABLE _estblTimesheetRowPlan (
  idTimesheetRowPlan INTEGER PRIMARY KEY,
  iTimesheetRowID INTEGER NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  dRosteredStartTime TIMESTAMP,
  dRosteredEndTime TIMESTAMP,
  iRosteredBreakMinutes INTEGER NOT NULL DEFAULT 0,
  cJobTitle VARCHAR(50),
  cWorkCode VARCHAR(20),
  cCostCode VARCHAR(30),
  iJobCodeID INTEGER REFERENCES _estblJobCode (idJobCode),
  bActualEmpty INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetRowPlanRow ON _estblTimesheetRowPlan (iTimesheetRowID);
CREATE TABLE _estblTimesheetRowHours (
  idTimesheetRowHours INTEGER PRIMARY KEY,
  iTimesheetRowPlanID INTEGER NOT NULL REFERENCES _estblTimesheetRowPlan (idTimesheetRowPlan),
  dStartTime TIMESTAMP,
  dEndTime TIMESTAMP,
  bNextDay INTEGER NOT NULL DEFAULT 0,
  cWorkCode VARCHAR(20),
  cCostCode VARCHAR(30),
  cJobTitle VARCHAR(50),
  iJobCodeID INTEGER REFERENCES _estblJobCode (idJobCode)
);
CREATE INDEX _esixTimesheetRowHoursPlan ON _estblTimesheetRowHours (iTimesheetRowPlanID);
CREATE TABLE _estblLeaveApplications (
  idLeaveApplication INTEGER PRIMARY KEY,
  iUserID INTEGER REFERENCES _estblUsers (idUser),
  iLeaveID INTEGER NOT NULL DEFAULT 0,
  iStatus INTEGER NOT NULL DEFAULT 0,
  cComment VARCHAR(255)
);
CREATE TABLE _estblTimesheetLeave (
  idTimesheetLeave INTEGER PRIMARY KEY,
  iTimesheetRowID INTEGER NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  iLeaveApplicationID INTEGER NOT NULL REFERENCES _estblLeaveApplications (idLeaveApplication),
  dStartDate TIMESTAMP NOT NULL,
  dEndDate TIMESTAMP NOT NULL,
  fCurrentHours REAL NOT NULL DEFAULT 0,
  iLeaveType INTEGER NOT NULL DEFAULT 0,
  cLeaveReason VARCHAR(20)
);
CREATE INDEX _esixTimesheetLeaveRow ON _estblTimesheetLeave (iTimesheetRowID);
CREATE TABLE _estblTimesheetRDO (
  idTimesheetRDO INTEGER PRIMARY KEY,
  iTimesheetRowID INTEGER NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  dRDODate TIMESTAMP NOT NULL,
  fHours REAL NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetRDORow ON _estblTimesheetRDO (iTimesheetRowID);
CREATE TABLE _estblTimesheetAllowance (
  idTimesheetAllowance INTEGER PRIMARY KEY,
  iTimesheetRowID INTEGER NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  cAllowanceNo VARCHAR(20) NOT NULL,
  fValue REAL NOT NULL DEFAULT 0,
  cCostCode VARCHAR(30),
  cJobTitle VARCHAR(50),
  iJobCodeId INTEGER REFERENCES _estblJobCode (idJobCode),
  bPlanAllowance INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetAllowanceRow ON _estblTimesheetAllowance (iTimesheetRowID);
CREATE TABLE _estblTimesheetCost (
  idTimesheetCost INTEGER PRIMARY KEY,
  iTimesheetID INTEGER NOT NULL,
  iTimesheetRowID INTEGER NOT NULL,
  iCostingType INTEGER NOT NULL,
  cComponentType VARCHAR(30) NOT NULL,
  cComponentName VARCHAR(50),
  fRate REAL NOT NULL DEFAULT 0,
  fUnits REAL NOT NULL DEFAULT 0,
  fValue REAL NOT NULL DEFAULT 0,
  fPercent REAL NOT NULL DEFAULT 0,
  cFrequency VARCHAR(20),
  cCostCode VARCHAR(30),
  cJobCode VARCHAR(20),
  cClassification VARCHAR(20),
  cAwardCategory VARCHAR(20),
  cLeaveReason VARCHAR(20),
  cLeaveClass VARCHAR(20),
  dStartTime TIMESTAMP,
  dEndTime TIMESTAMP,
  dStartDate TIMESTAMP,
  dEndDate TIMESTAMP,
  iALLink INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetCostRow ON _estblTimesheetCost (iTimesheetRowID, iCostingType);
CREATE INDEX _esixTimesheetCostTimesheet ON _estblTimesheetCost (iTimesheetID, iCostingType);
CREATE TABLE _estblTimesheetMessages (
  idTimesheetMessage INTEGER PRIMARY KEY,
  iTimesheetID INTEGER NOT NULL DEFAULT 0,
  iUserID INTEGER NOT NULL DEFAULT 0,
  iSeverity INTEGER NOT NULL DEFAULT 0,
  cMessage TEXT,
  cGUID VARCHAR(50),
  dCreated TIMESTAMP NOT NULL
);
CREATE TABLE _iptblImportData (
  idImportData INTEGER PRIMARY KEY,
  cDescription VARCHAR(100),
  cImportSource VARCHAR(20),
  cPayrollLinkToken VARCHAR(50),
  dEffectiveDate TIMESTAMP,
  dEndDate TIMESTAMP,
  nYIFData TEXT,
  iImportFormat INTEGER NOT NULL DEFAULT 0,
  iReturnID INTEGER NOT NULL DEFAULT 0,
  dCreated TIMESTAMP NOT NULL
);
)sql";

}  // namespace qora::schema
