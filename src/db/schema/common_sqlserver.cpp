// Common database for Microsoft SQL Server (T-SQL, batches separated by GO).
// Kept in step with the SQLite and PostgreSQL scripts.
#include "db/schema/schema_sources.h"

namespace qora::schema {

const std::string_view kCommonSqlServer = R"sql(
CREATE TABLE _hrtblPayrollDatabase (
  idPayrollDatabase INT IDENTITY(1,1) PRIMARY KEY,
  cPayrollLinkToken NVARCHAR(50) NOT NULL,
  cDescription NVARCHAR(100),
  cServer NVARCHAR(255) NOT NULL,
  cDatabase NVARCHAR(255) NOT NULL
);
CREATE TABLE _hrtblPerson (
  idPerson INT IDENTITY(1,1) PRIMARY KEY,
  cEmployeeCode NVARCHAR(20),
  cFirstName NVARCHAR(50),
  cSurname NVARCHAR(50),
  iPayrollDatabaseID INT REFERENCES _hrtblPayrollDatabase (idPayrollDatabase)
);
CREATE INDEX _hrixPersonEmployeeCode ON _hrtblPerson (cEmployeeCode);
CREATE TABLE _estblUsers (
  idUser INT IDENTITY(1,1) PRIMARY KEY,
  cUserName NVARCHAR(50) NOT NULL,
  iPersonID INT REFERENCES _hrtblPerson (idPerson)
);
CREATE INDEX _esixUsersPerson ON _estblUsers (iPersonID);
CREATE TABLE _estblJobCode (
  idJobCode INT IDENTITY(1,1) PRIMARY KEY,
  cJobCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100)
);
CREATE TABLE _estblTimesheet (
  idTimesheet INT IDENTITY(1,1) PRIMARY KEY,
  iUserID INT REFERENCES _estblUsers (idUser),
  iStatus INT NOT NULL DEFAULT 0,
  cDescription NVARCHAR(100),
  dStartDate DATETIME NOT NULL,
  dEndDate DATETIME NOT NULL,
  iImportType INT NOT NULL DEFAULT 0,
  nData NVARCHAR(MAX)
);
CREATE TABLE _estblTimesheetRow (
  idTimesheetRow INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetID INT NOT NULL REFERENCES _estblTimesheet (idTimesheet),
  iUserID INT REFERENCES _estblUsers (idUser),
  dDateWorked DATETIME NOT NULL,
  bIsOffDay INT NOT NULL DEFAULT 0,
  dLastImportDate DATETIME
);
CREATE INDEX _esixTimesheetRowTimesheet ON _estblTimesheetRow (iTimesheetID);
CREATE INDEX _esixTimesheetRowUser ON _estblTimesheetRow (iUserID, dDateWorked);
CREATE TABLE _estblTimesheetRowPlan (
  idTimesheetRowPlan INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetRowID INT NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  dRosteredStartTime DATETIME,
  dRosteredEndTime DATETIME,
  iRosteredBreakMinutes INT NOT NULL DEFAULT 0,
  cJobTitle NVARCHAR(50),
  cWorkCode NVARCHAR(20),
  cCostCode NVARCHAR(30),
  iJobCodeID INT REFERENCES _estblJobCode (idJobCode),
  bActualEmpty INT NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetRowPlanRow ON _estblTimesheetRowPlan (iTimesheetRowID);
CREATE TABLE _estblTimesheetRowHours (
  idTimesheetRowHours INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetRowPlanID INT NOT NULL REFERENCES _estblTimesheetRowPlan (idTimesheetRowPlan),
  dStartTime DATETIME,
  dEndTime DATETIME,
  bNextDay INT NOT NULL DEFAULT 0,
  cWorkCode NVARCHAR(20),
  cCostCode NVARCHAR(30),
  cJobTitle NVARCHAR(50),
  iJobCodeID INT REFERENCES _estblJobCode (idJobCode)
);
CREATE INDEX _esixTimesheetRowHoursPlan ON _estblTimesheetRowHours (iTimesheetRowPlanID);
CREATE TABLE _estblLeaveApplications (
  idLeaveApplication INT IDENTITY(1,1) PRIMARY KEY,
  iUserID INT REFERENCES _estblUsers (idUser),
  iLeaveID INT NOT NULL DEFAULT 0,
  iStatus INT NOT NULL DEFAULT 0,
  cComment NVARCHAR(255)
);
CREATE TABLE _estblTimesheetLeave (
  idTimesheetLeave INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetRowID INT NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  iLeaveApplicationID INT NOT NULL REFERENCES _estblLeaveApplications (idLeaveApplication),
  dStartDate DATETIME NOT NULL,
  dEndDate DATETIME NOT NULL,
  fCurrentHours FLOAT NOT NULL DEFAULT 0,
  iLeaveType INT NOT NULL DEFAULT 0,
  cLeaveReason NVARCHAR(20)
);
CREATE INDEX _esixTimesheetLeaveRow ON _estblTimesheetLeave (iTimesheetRowID);
CREATE TABLE _estblTimesheetRDO (
  idTimesheetRDO INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetRowID INT NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  dRDODate DATETIME NOT NULL,
  fHours FLOAT NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetRDORow ON _estblTimesheetRDO (iTimesheetRowID);
CREATE TABLE _estblTimesheetAllowance (
  idTimesheetAllowance INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetRowID INT NOT NULL REFERENCES _estblTimesheetRow (idTimesheetRow),
  cAllowanceNo NVARCHAR(20) NOT NULL,
  fValue FLOAT NOT NULL DEFAULT 0,
  cCostCode NVARCHAR(30),
  cJobTitle NVARCHAR(50),
  iJobCodeId INT REFERENCES _estblJobCode (idJobCode),
  bPlanAllowance INT NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetAllowanceRow ON _estblTimesheetAllowance (iTimesheetRowID);
CREATE TABLE _estblTimesheetCost (
  idTimesheetCost INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetID INT NOT NULL,
  iTimesheetRowID INT NOT NULL,
  iCostingType INT NOT NULL,
  cComponentType NVARCHAR(30) NOT NULL,
  cComponentName NVARCHAR(50),
  fRate FLOAT NOT NULL DEFAULT 0,
  fUnits FLOAT NOT NULL DEFAULT 0,
  fValue FLOAT NOT NULL DEFAULT 0,
  fPercent FLOAT NOT NULL DEFAULT 0,
  cFrequency NVARCHAR(20),
  cCostCode NVARCHAR(30),
  cJobCode NVARCHAR(20),
  cClassification NVARCHAR(20),
  cAwardCategory NVARCHAR(20),
  cLeaveReason NVARCHAR(20),
  cLeaveClass NVARCHAR(20),
  dStartTime DATETIME,
  dEndTime DATETIME,
  dStartDate DATETIME,
  dEndDate DATETIME,
  iALLink INT NOT NULL DEFAULT 0
);
CREATE INDEX _esixTimesheetCostRow ON _estblTimesheetCost (iTimesheetRowID, iCostingType);
CREATE INDEX _esixTimesheetCostTimesheet ON _estblTimesheetCost (iTimesheetID, iCostingType);
CREATE TABLE _estblTimesheetMessages (
  idTimesheetMessage INT IDENTITY(1,1) PRIMARY KEY,
  iTimesheetID INT NOT NULL DEFAULT 0,
  iUserID INT NOT NULL DEFAULT 0,
  iSeverity INT NOT NULL DEFAULT 0,
  cMessage NVARCHAR(MAX),
  cGUID NVARCHAR(50),
  dCreated DATETIME NOT NULL
);
CREATE TABLE _iptblImportData (
  idImportData INT IDENTITY(1,1) PRIMARY KEY,
  cDescription NVARCHAR(100),
  cImportSource NVARCHAR(20),
  cPayrollLinkToken NVARCHAR(50),
  dEffectiveDate DATETIME,
  dEndDate DATETIME,
  nYIFData NVARCHAR(MAX),
  iImportFormat INT NOT NULL DEFAULT 0,
  iReturnID INT NOT NULL DEFAULT 0,
  dCreated DATETIME NOT NULL
);
GO
-- Reads a date argument given as a day number (days since 1899-12-30) or as text.
CREATE FUNCTION dbo._qfnToDateTime (@Value SQL_VARIANT) RETURNS DATETIME
AS
BEGIN
  IF @Value IS NULL RETURN NULL;
  IF SQL_VARIANT_PROPERTY(@Value, 'BaseType') IN ('float', 'real', 'decimal', 'numeric', 'int', 'bigint', 'smallint')
    RETURN DATEADD(ms, CAST(ROUND((CAST(@Value AS FLOAT) - FLOOR(CAST(@Value AS FLOAT))) * 86400000, 0) AS INT),
                   DATEADD(day, CAST(FLOOR(CAST(@Value AS FLOAT)) AS INT), CAST('18991230' AS DATETIME)));
  -- ODBC canonical text (yyyy-mm-dd hh:mi:ss[.mmm]), whatever the login's language.
  RETURN CONVERT(DATETIME, CAST(@Value AS NVARCHAR(30)), 121);
END
GO
-- The first day of the cycle of @iDays days, counted from @dCycleStart, that contains @dDate.
CREATE FUNCTION dbo._esfnTimesheetCycleFromDate (@iDays INT, @dCycleStart DATETIME, @dDate DATETIME)
RETURNS DATETIME
AS
BEGIN
  DECLARE @start DATETIME = CAST(CAST(@dCycleStart AS DATE) AS DATETIME);
  IF @iDays IS NULL OR @iDays < 1 RETURN @start;
  RETURN DATEADD(day, FLOOR(DATEDIFF(day, @start, CAST(@dDate AS DATE)) / CAST(@iDays AS FLOAT)) * @iDays, @start);
END
GO
CREATE PROCEDURE dbo._esspAddTimesheetMessage @iSeverity INT = NULL, @cMessage NVARCHAR(MAX) = NULL,
  @idTimesheet INT = NULL, @idUser INT = NULL, @cGUID NVARCHAR(50) = NULL
AS
BEGIN
  SET NOCOUNT ON;
  INSERT INTO _estblTimesheetMessages (iTimesheetID, iUserID, iSeverity, cMessage, cGUID, dCreated)
  VALUES (ISNULL(@idTimesheet, 0), ISNULL(@idUser, 0), ISNULL(@iSeverity, 0), @cMessage, @cGUID, GETDATE());
END
GO
CREATE PROCEDURE dbo._qivAddTimesheetCost @iCostingType INT = NULL, @iTimesheetRowID INT = NULL,
  @cComponentType NVARCHAR(30) = NULL, @cComponentName NVARCHAR(50) = NULL, @fRate FLOAT = NULL,
  @fPercent FLOAT = NULL, @fUnits FLOAT = NULL, @fValue FLOAT = NULL, @cFrequency NVARCHAR(20) = NULL,
  @cCostCode NVARCHAR(30) = NULL, @cJobCode NVARCHAR(20) = NULL, @cAwardCategory NVARCHAR(20) = NULL,
  @cLeaveReason NVARCHAR(20) = NULL, @dStartDate SQL_VARIANT = NULL, @dEndDate SQL_VARIANT = NULL,
  @cLeaveClass NVARCHAR(20) = NULL, @cClassification NVARCHAR(20) = NULL, @dStartTime SQL_VARIANT = NULL,
  @dEndTime SQL_VARIANT = NULL, @iALLink INT = NULL
AS
BEGIN
  SET NOCOUNT ON;
  INSERT INTO _estblTimesheetCost (iTimesheetID, iTimesheetRowID, iCostingType, cComponentType, cComponentName,
    fRate, fPercent, fUnits, fValue, cFrequency, cCostCode, cJobCode, cAwardCategory, cLeaveReason, cLeaveClass,
    cClassification, dStartDate, dEndDate, dStartTime, dEndTime, iALLink)
  SELECT R.iTimesheetID, R.idTimesheetRow, @iCostingType, @cComponentType, @cComponentName, ISNULL(@fRate, 0),
    ISNULL(@fPercent, 0), ISNULL(@fUnits, 0), ISNULL(@fValue, 0), @cFrequency, @cCostCode, @cJobCode,
    @cAwardCategory, @cLeaveReason, @cLeaveClass, @cClassification, dbo._qfnToDateTime(@dStartDate),
    dbo._qfnToDateTime(@dEndDate), dbo._qfnToDateTime(@dStartTime), dbo._qfnToDateTime(@dEndTime),
    ISNULL(@iALLink, 0)
  FROM _estblTimesheetRow R WHERE R.idTimesheetRow = @iTimesheetRowID;
END
GO
CREATE PROCEDURE dbo._ipspAddImportData @Description NVARCHAR(100) = NULL, @ImportSource NVARCHAR(20) = NULL,
  @PayrollLinkToken NVARCHAR(50) = NULL, @EffectiveDate SQL_VARIANT = NULL, @EndDate SQL_VARIANT = NULL,
  @YIFData NVARCHAR(MAX) = NULL, @ImportFormat INT = NULL, @ReturnID INT = NULL
AS
BEGIN
  SET NOCOUNT ON;
  DECLARE @end DATETIME = dbo._qfnToDateTime(@EndDate);
  IF @end < '19000104' SET @end = NULL;
  INSERT INTO _iptblImportData (cDescription, cImportSource, cPayrollLinkToken, dEffectiveDate, dEndDate, nYIFData,
    iImportFormat, iReturnID, dCreated)
  VALUES (@Description, @ImportSource, @PayrollLinkToken, dbo._qfnToDateTime(@EffectiveDate), @end, @YIFData,
    ISNULL(@ImportFormat, 0), ISNULL(@ReturnID, 0), GETDATE());
END
GO
)sql";

}  // namespace qora::schema
