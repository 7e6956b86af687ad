// Payroll database for Microsoft SQL Server (T-SQL, batches separated by GO).
// Kept in step with the SQLite and PostgreSQL scripts.
#include "db/schema/schema_sources.h"

namespace qora::schema {

const std::string_view kPayrollSqlServerTables = R"sql(
CREATE TABLE _iptblPayFrequencies (
  idPayFrequency INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(10) NOT NULL,
  cDescription NVARCHAR(50),
  iFrequency INT NOT NULL
);
CREATE TABLE _iptblCostAccounts (
  idCostAccount INT IDENTITY(1,1) PRIMARY KEY,
  cCostCode NVARCHAR(30) NOT NULL,
  cDescription NVARCHAR(100)
);
CREATE TABLE _iptblEmployee (
  idEmployee INT IDENTITY(1,1) PRIMARY KEY,
  cEmpCode NVARCHAR(20) NOT NULL,
  cFirstName NVARCHAR(50),
  cSurname NVARCHAR(50),
  cEmploymentType NVARCHAR(20),
  dDateOfBirth DATETIME,
  dHiredDate DATETIME,
  dTerminationDate DATETIME,
  iPayFrequencyID INT NOT NULL REFERENCES _iptblPayFrequencies (idPayFrequency)
);
CREATE UNIQUE INDEX _ipixEmployeeCode ON _iptblEmployee (cEmpCode);
CREATE TABLE _iptblEmployeeRates_TD (
  idEmployeeRateTD INT IDENTITY(1,1) PRIMARY KEY,
  iEmployeeID INT NOT NULL REFERENCES _iptblEmployee (idEmployee),
  fNormalRate FLOAT NOT NULL DEFAULT 0,
  fNormalHours FLOAT NOT NULL DEFAULT 0,
  fYearlySalary FLOAT NOT NULL DEFAULT 0,
  dEffectiveDate DATETIME NOT NULL,
  dEndDate DATETIME
);
CREATE INDEX _ipixEmployeeRatesEmployee ON _iptblEmployeeRates_TD (iEmployeeID);
CREATE TABLE _iptblEmployeeLeave (
  idEmployeeLeave INT IDENTITY(1,1) PRIMARY KEY,
  iEmployeeID INT NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iLeaveType INT NOT NULL,
  iLeaveLoadingClassID INT NOT NULL DEFAULT 0,
  fBalance FLOAT NOT NULL DEFAULT 0
);
CREATE INDEX _ipixEmployeeLeaveEmployee ON _iptblEmployeeLeave (iEmployeeID, iLeaveType);
CREATE TABLE _iptblAwards (
  idAward INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(20) NOT NULL,
  cName NVARCHAR(100),
  bInactive INT NOT NULL DEFAULT 0
);
CREATE TABLE _iptblAwards_TD (
  idAwardTD INT IDENTITY(1,1) PRIMARY KEY,
  iAwardID INT NOT NULL REFERENCES _iptblAwards (idAward),
  cDeftClassCode NVARCHAR(20),
  cDeftClassDesc NVARCHAR(100),
  fWeeklyBaseHours FLOAT NOT NULL DEFAULT 0,
  iStdPayClassTDID INT NOT NULL DEFAULT 0,
  iChangeReasonID INT NOT NULL DEFAULT 0,
  dEffectiveDate DATETIME NOT NULL,
  dEndDate DATETIME
);
CREATE TABLE _iptblPayClasses (
  idPayClass INT IDENTITY(1,1) PRIMARY KEY,
  iAwardID INT NOT NULL REFERENCES _iptblAwards (idAward),
  cCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100)
);
CREATE TABLE _iptblPayClasses_TD (
  idPayClassTD INT IDENTITY(1,1) PRIMARY KEY,
  iPayClassID INT NOT NULL REFERENCES _iptblPayClasses (idPayClass),
  iAwardTDID INT NOT NULL REFERENCES _iptblAwards_TD (idAwardTD),
  fAutoPayAmount FLOAT NOT NULL DEFAULT 0,
  fNormalRate FLOAT NOT NULL DEFAULT 0
);
GO
CREATE TABLE _iptblAwardCategories (
  idAwardCategory INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100)
);
CREATE TABLE _iptblAwardCategoryLinks (
  idAwardCategoryLink INT IDENTITY(1,1) PRIMARY KEY,
  iAwardTDID INT NOT NULL REFERENCES _iptblAwards_TD (idAwardTD),
  iAwardCategoryID INT NOT NULL REFERENCES _iptblAwardCategories (idAwardCategory),
  fPercentage FLOAT NOT NULL DEFAULT 100,
  bStdRateOnly INT NOT NULL DEFAULT 0
);
GO
CREATE TABLE _iptblAwardConditionGroup (
  idAwardConditionGroup INT IDENTITY(1,1) PRIMARY KEY,
  iAwardID INT NOT NULL REFERENCES _iptblAwards (idAward),
  cConditionGroup NVARCHAR(50) NOT NULL
);
CREATE TABLE _iptblAwardJobs (
  idAwardJob INT IDENTITY(1,1) PRIMARY KEY,
  iAwardID INT NOT NULL REFERENCES _iptblAwards (idAward),
  cCode NVARCHAR(50) NOT NULL,
  cDescription NVARCHAR(100),
  iPayClassID INT REFERENCES _iptblPayClasses (idPayClass),
  iCostAccountID INT REFERENCES _iptblCostAccounts (idCostAccount)
);
GO
CREATE TABLE _iptblAwardConditions (
  idAwardCondition INT IDENTITY(1,1) PRIMARY KEY,
  iAwardTDID INT NOT NULL REFERENCES _iptblAwards_TD (idAwardTD),
  iConditionModule INT NOT NULL,
  iConditionType INT NOT NULL,
  cDescription NVARCHAR(100),
  nConditionsXML NVARCHAR(MAX)
);
CREATE TABLE _iptblEmployeeAwards_TD (
  idEmployeeAwardTD INT IDENTITY(1,1) PRIMARY KEY,
  iEmployeeID INT NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iAwardID INT NOT NULL REFERENCES _iptblAwards (idAward),
  iPayClassID INT NOT NULL DEFAULT 0,
  iAwardEmplCategoryID INT NOT NULL DEFAULT 0,
  iAwardConditionGroupID INT NOT NULL DEFAULT 0,
  fYearlySalary FLOAT NOT NULL DEFAULT 0,
  fNormalHours FLOAT NOT NULL DEFAULT 0,
  bUseDefaultRate INT NOT NULL DEFAULT 1,
  fNormalRate FLOAT NOT NULL DEFAULT 0,
  fAwardCategoryHoursToDate FLOAT NOT NULL DEFAULT 0,
  fAutopayAmount FLOAT NOT NULL DEFAULT 0,
  iChangeType INT NOT NULL DEFAULT 1,
  iChangeReasonID INT NOT NULL DEFAULT 0,
  iAgentID INT NOT NULL DEFAULT 0,
  dEffectiveDate DATETIME NOT NULL,
  dEndDate DATETIME
);
CREATE INDEX _ipixEmployeeAwardsEmployee ON _iptblEmployeeAwards_TD (iEmployeeID);
GO
CREATE TABLE _iptblAdditionsDeductions (
  idAddDeduct INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100),
  siType INT NOT NULL DEFAULT 0,
  fDefaultAmtPerc FLOAT NOT NULL DEFAULT 0,
  bInactive INT NOT NULL DEFAULT 0
);
GO
CREATE TABLE _iptblEmployeeAddsDeds_TD (
  idEmployeeAddDedTD INT IDENTITY(1,1) PRIMARY KEY,
  iEmployeeID INT NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iAddsDedsID INT NOT NULL REFERENCES _iptblAdditionsDeductions (idAddDeduct),
  iAwardID INT NOT NULL DEFAULT 0,
  bUseRegister INT NOT NULL DEFAULT 1,
  fAmtPerc FLOAT NOT NULL DEFAULT 0,
  iChangeType INT NOT NULL DEFAULT 1,
  dEffectiveDate DATETIME NOT NULL,
  dEndDate DATETIME
);
CREATE INDEX _ipixEmployeeAddsDedsEmployee ON _iptblEmployeeAddsDeds_TD (iEmployeeID, iAwardID);
GO
CREATE TABLE PRPeriod (
  Counter INT IDENTITY(1,1) PRIMARY KEY,
  PayFrequencyID INT NOT NULL REFERENCES _iptblPayFrequencies (idPayFrequency),
  PeriodStart DATETIME NOT NULL,
  PeriodEnd DATETIME NOT NULL,
  IsProcessed INT NOT NULL DEFAULT 0
);
CREATE TABLE _iptblEmployeeTrans (
  idEmployeeTrans INT IDENTITY(1,1) PRIMARY KEY,
  iEmployeeID INT NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iAddsDedsID INT NOT NULL REFERENCES _iptblAdditionsDeductions (idAddDeduct),
  iPeriodID INT REFERENCES PRPeriod (Counter),
  iPayFrequencyID INT NOT NULL DEFAULT 0,
  dEffectiveDate DATETIME NOT NULL,
  fUnits FLOAT NOT NULL DEFAULT 0,
  fRate FLOAT NOT NULL DEFAULT 0,
  fValue FLOAT NOT NULL DEFAULT 0
);
CREATE INDEX _ipixEmployeeTransEmployee ON _iptblEmployeeTrans (iEmployeeID, iAddsDedsID);
GO
CREATE TABLE _iptblRateTypes (
  idRateType INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100)
);
CREATE TABLE _iptblRateTypes_TD (
  idRateTypeTD INT IDENTITY(1,1) PRIMARY KEY,
  iRateTypeID INT NOT NULL REFERENCES _iptblRateTypes (idRateType),
  fRate FLOAT NOT NULL DEFAULT 0,
  iType INT NOT NULL DEFAULT 0,
  iGrouping INT NOT NULL DEFAULT 0,
  dEffectiveDate DATETIME NOT NULL,
  dEndDate DATETIME
);
CREATE TABLE _iptblLeaveReasons (
  idLeaveReason INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100),
  bUnpaid INT NOT NULL DEFAULT 0,
  iRateTypeID INT NOT NULL REFERENCES _iptblRateTypes (idRateType),
  iCostAccountID INT REFERENCES _iptblCostAccounts (idCostAccount)
);
CREATE TABLE _iptblUserDefinedLeave (
  idLeave INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100)
);
CREATE TABLE _iptblWorkPatterns (
  idWorkPattern INT IDENTITY(1,1) PRIMARY KEY,
  cCode NVARCHAR(20) NOT NULL,
  cDescription NVARCHAR(100),
  iCycleDays INT NOT NULL DEFAULT 7,
  dCycleStartDate DATETIME NOT NULL
);
CREATE TABLE _iptblWorkPatternDays (
  idWorkPatternDay INT IDENTITY(1,1) PRIMARY KEY,
  iWorkPatternID INT NOT NULL REFERENCES _iptblWorkPatterns (idWorkPattern),
  iDayNo INT NOT NULL,
  fHours FLOAT NOT NULL DEFAULT 0
);
CREATE INDEX _ipixWorkPatternDaysPattern ON _iptblWorkPatternDays (iWorkPatternID, iDayNo);
CREATE TABLE _iptblEmployeeWorkPatterns_TD (
  idEmployeeWorkPatternTD INT IDENTITY(1,1) PRIMARY KEY,
  iEmployeeID INT NOT NULL REFERENCES _iptblEmployee (idEmployee),
  iWorkPatternID INT NOT NULL REFERENCES _iptblWorkPatterns (idWorkPattern),
  dEffectiveDate DATETIME NOT NULL,
  dEndDate DATETIME
);
CREATE INDEX _ipixEmployeeWorkPatternsEmployee ON _iptblEmployeeWorkPatterns_TD (iEmployeeID);
CREATE TABLE _iptblPublicHolidays (
  idPublicHoliday INT IDENTITY(1,1) PRIMARY KEY,
  dDate DATETIME NOT NULL,
  cDescription NVARCHAR(100) NOT NULL
);
GO
)sql";

// Functions and procedures, created after the shared views.
const std::string_view kPayrollSqlServerRoutines = R"sql(
CREATE FUNCTION dbo._ipfnGetAwards (@dDate DATETIME, @bCurrentOnly INT, @iAwardID INT, @bIncludeInactive INT)
RETURNS TABLE
AS
RETURN
  SELECT A.idAward, V.idAwardTD, A.cCode, A.cName, A.bInactive, V.cDeftClassCode, V.cDeftClassDesc,
         V.fWeeklyBaseHours, V.iStdPayClassTDID, V.iChangeReasonID, V.dEffectiveDate, V.dEndDate
  FROM _iptblAwards A JOIN _iptblAwards_TD V ON V.iAwardID = A.idAward
  WHERE (@iAwardID = 0 OR A.idAward = @iAwardID) AND (@bIncludeInactive <> 0 OR A.bInactive = 0)
    AND (@bCurrentOnly = 0 OR (CAST(V.dEffectiveDate AS DATE) <= CAST(@dDate AS DATE)
         AND (V.dEndDate IS NULL OR V.dEndDate < '19000104' OR CAST(V.dEndDate AS DATE) >= CAST(@dDate AS DATE))));
GO
CREATE FUNCTION dbo._ipfnGetEmployeeWorkPatternDays (@iEmployeeID INT, @dFromDate DATETIME, @dToDate DATETIME,
  @bWorkDaysOnly INT)
RETURNS @Days TABLE (dDate DATETIME, fHours FLOAT, cPublicHoliday NVARCHAR(100))
AS
BEGIN
  DECLARE @day DATE = CAST(@dFromDate AS DATE);
  WHILE @day <= CAST(@dToDate AS DATE)
  BEGIN
    INSERT INTO @Days (dDate, fHours, cPublicHoliday)
    SELECT CAST(@day AS DATETIME),
      ISNULL((SELECT TOP 1 WPD.fHours FROM _iptblEmployeeWorkPatterns_TD EW
        JOIN _iptblWorkPatterns WP ON WP.idWorkPattern = EW.iWorkPatternID
        JOIN _iptblWorkPatternDays WPD ON WPD.iWorkPatternID = WP.idWorkPattern
        WHERE EW.iEmployeeID = @iEmployeeID AND CAST(EW.dEffectiveDate AS DATE) <= @day
          AND (EW.dEndDate IS NULL OR EW.dEndDate < '19000104' OR CAST(EW.dEndDate AS DATE) >= @day)
          AND WPD.iDayNo = ((DATEDIFF(day, CAST(WP.dCycleStartDate AS DATE), @day) % WP.iCycleDays)
                            + WP.iCycleDays) % WP.iCycleDays + 1
        ORDER BY EW.dEffectiveDate DESC), 0),
      ISNULL((SELECT MIN(PH.cDescription) FROM _iptblPublicHolidays PH WHERE CAST(PH.dDate AS DATE) = @day), '');
    SET @day = DATEADD(day, 1, @day);
  END
  IF @bWorkDaysOnly <> 0 DELETE FROM @Days WHERE fHours <= 0 AND cPublicHoliday = '';
  RETURN;
END
GO
CREATE FUNCTION dbo._efnGetFreqPeriodData (@iPayFrequencyID INT, @iPeriodID INT)
RETURNS TABLE
AS
RETURN
  SELECT PR.Counter AS iPeriodID, PR.PayFrequencyID AS iPayFrequencyID, PR.PeriodStart AS dPeriodStart,
         PR.PeriodEnd AS dPeriodEnd, PR.IsProcessed AS bIsProcessed
  FROM PRPeriod PR
  WHERE PR.PayFrequencyID = @iPayFrequencyID
    AND PR.Counter = CASE WHEN @iPeriodID > 0 THEN @iPeriodID ELSE
      (SELECT TOP 1 P2.Counter FROM PRPeriod P2 WHERE P2.PayFrequencyID = @iPayFrequencyID AND P2.IsProcessed = 0
       ORDER BY P2.PeriodStart) END;
GO
CREATE PROCEDURE dbo._ipspUpdateEmployeeAward_TD @iEmployeeID INT = NULL, @iAwardID INT = NULL,
  @iPayClassID INT = NULL, @iAwardEmplCategoryID INT = NULL, @iAwardConditionGroupID INT = NULL,
  @fYearlySalary FLOAT = NULL, @fNormalHours FLOAT = NULL, @bUseDefaultRate INT = NULL, @fNormalRate FLOAT = NULL,
  @fAwardCategoryHoursToDate FLOAT = NULL, @fAutopayAmount FLOAT = NULL, @iChangeType INT = NULL,
  @iAgentID INT = NULL, @dEffectiveDate DATETIME = NULL, @dEndDate DATETIME = NULL, @iChangeReasonID INT = NULL,
  @bEndDateExisting INT = NULL, @bReplaceOverlapping INT = NULL, @Message NVARCHAR(4000) = NULL OUTPUT
AS
BEGIN
  SET NOCOUNT ON;
  -- One change is kept whole or not at all: any error rolls back what the
  -- call has written (XACT_ABORT), a caller's transaction included.
  SET XACT_ABORT ON;
  IF @dEndDate < '19000104' SET @dEndDate = NULL;
  SET @Message = '';
  IF @iChangeType = 3
  BEGIN
    UPDATE _iptblEmployeeAwards_TD SET iChangeType = 3, iChangeReasonID = ISNULL(@iChangeReasonID, 0),
      iAgentID = ISNULL(@iAgentID, 0)
    WHERE iEmployeeID = @iEmployeeID AND dEffectiveDate = @dEffectiveDate AND iChangeType <> 3;
    RETURN;
  END
  DECLARE @count INT = (SELECT COUNT(*) FROM _iptblEmployeeAwards_TD
    WHERE iEmployeeID = @iEmployeeID AND dEffectiveDate = @dEffectiveDate AND iChangeType <> 3);
  IF @iChangeType = 2
  BEGIN
    IF @count = 0
    BEGIN
      SET @Message = 'No Employee Award effective on ' + CONVERT(NVARCHAR(10), @dEffectiveDate, 23)
                     + ' was found for this employee.';
      RETURN;
    END
    UPDATE _iptblEmployeeAwards_TD SET iAwardID = @iAwardID, iPayClassID = ISNULL(@iPayClassID, 0),
      iAwardEmplCategoryID = ISNULL(@iAwardEmplCategoryID, 0),
      iAwardConditionGroupID = ISNULL(@iAwardConditionGroupID, 0), fYearlySalary = ISNULL(@fYearlySalary, 0),
      fNormalHours = ISNULL(@fNormalHours, 0), bUseDefaultRate = ISNULL(@bUseDefaultRate, 1),
      fNormalRate = ISNULL(@fNormalRate, 0), fAwardCategoryHoursToDate = ISNULL(@fAwardCategoryHoursToDate, 0),
      fAutopayAmount = ISNULL(@fAutopayAmount, 0), iChangeType = 2, iChangeReasonID = ISNULL(@iChangeReasonID, 0),
      iAgentID = ISNULL(@iAgentID, 0), dEndDate = ISNULL(@dEndDate, '18991230')
    WHERE iEmployeeID = @iEmployeeID AND dEffectiveDate = @dEffectiveDate AND iChangeType <> 3;
    RETURN;
  END
  IF @count > 0
  BEGIN
    SET @Message = 'Employee Award effective on ' + CONVERT(NVARCHAR(10), @dEffectiveDate, 23)
                   + ' already exists for this employee.';
    RETURN;
  END
  BEGIN TRANSACTION;
  IF ISNULL(@bReplaceOverlapping, 0) <> 0
    UPDATE _iptblEmployeeAwards_TD SET iChangeType = 3
    WHERE iEmployeeID = @iEmployeeID AND iChangeType <> 3 AND dEffectiveDate >= @dEffectiveDate
      AND (@dEndDate IS NULL OR dEffectiveDate <= @dEndDate);
  IF ISNULL(@bEndDateExisting, 0) <> 0
    UPDATE _iptblEmployeeAwards_TD SET dEndDate = DATEADD(day, -1, CAST(CAST(@dEffectiveDate AS DATE) AS DATETIME))
    WHERE iEmployeeID = @iEmployeeID AND iChangeType <> 3 AND dEffectiveDate < @dEffectiveDate
      AND (dEndDate IS NULL OR dEndDate < '19000104' OR dEndDate >= @dEffectiveDate);
  INSERT INTO _iptblEmployeeAwards_TD (iEmployeeID, iAwardID, iPayClassID, iAwardEmplCategoryID,
    iAwardConditionGroupID, fYearlySalary, fNormalHours, bUseDefaultRate, fNormalRate, fAwardCategoryHoursToDate,
    fAutopayAmount, iChangeType, iChangeReasonID, iAgentID, dEffectiveDate, dEndDate)
  VALUES (@iEmployeeID, @iAwardID, ISNULL(@iPayClassID, 0), ISNULL(@iAwardEmplCategoryID, 0),
    ISNULL(@iAwardConditionGroupID, 0), ISNULL(@fYearlySalary, 0), ISNULL(@fNormalHours, 0),
    ISNULL(@bUseDefaultRate, 1), ISNULL(@fNormalRate, 0), ISNULL(@fAwardCategoryHoursToDate, 0),
    ISNULL(@fAutopayAmount, 0), 1, ISNULL(@iChangeReasonID, 0), ISNULL(@iAgentID, 0), @dEffectiveDate,
    ISNULL(@dEndDate, '18991230'));
  COMMIT TRANSACTION;
END
GO
)sql";

}  // namespace qora::schema
