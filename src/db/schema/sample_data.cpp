// A small, realistic data set for trying the engine and for tests: a
// hospitality venue paying three employees under two awards.
//
// Common database: three employees with users, a manager without an
// employee code, job codes, and two stored timesheets. Timesheet 1 (Alice
// Nguyen, 14 to 20 April 2025) has one row per day: a day shift, a night
// shift crossing midnight, annual leave, a split shift with a planned and an
// unplanned allowance, Good Friday off, an RDO and a day of user-defined
// (study) leave. Timesheet 2 (Ben Carter, fortnight to 20 April 2025)
// already holds approved costing.
//
// Payroll database: pay frequencies, employees with effective-dated rates,
// the HOSP award in two versions (to 30 June 2024 and from 1 July 2024) and
// the CLERK award, their pay classes, category links, condition groups and
// jobs; employee award records (Alice has two versions), additions held on
// the employee, pay periods, a standard 38-hour work pattern with the Easter
// public holidays, leave reasons with effective-dated rate types and a
// user-defined leave class. Open-ended records end on day 0 (1899-12-30), the
// payroll product's empty date. _iptblAwardConditions is left empty here:
// the tool's sample database stores the full sample award (the award file
// samples/awards/HOSP.xml, with its components) over the HOSP version of
// 1 July 2024 through the award import, and then applies
// kSampleAwardAssignments.
#include "db/schema/schema_sources.h"

namespace qora::schema {

const std::string_view kSampleCommon = R"sql(
INSERT INTO _hrtblPerson (idPerson, cEmployeeCode, cFirstName, cSurname, iPayrollDatabaseID) VALUES
  (1, 'EMP001', 'Alice', 'Nguyen', 1),
  (2, 'EMP002', 'Ben', 'Carter', 1),
  (3, 'EMP003', 'Chloe', 'Smith', 1),
  (4, NULL, 'Sam', 'Manager', NULL);
INSERT INTO _estblUsers (idUser, cUserName, iPersonID) VALUES
  (1, 'alice', 1), (2, 'ben', 2), (3, 'chloe', 3), (4, 'manager', 4);
INSERT INTO _estblJobCode (idJobCode, cJobCode, cDescription) VALUES
  (1, 'COOK', 'Cook'), (2, 'WAIT', 'Waiter'), (3, 'CLERK', 'Office Clerk');
INSERT INTO _estblTimesheet (idTimesheet, iUserID, iStatus, cDescription, dStartDate, dEndDate, iImportType, nData) VALUES
  (1, 1, 1, 'Alice Nguyen week ending 20/04/2025', '2025-04-14 00:00:00', '2025-04-20 00:00:00', 0, NULL),
  (2, 2, 2, 'Ben Carter fortnight ending 20/04/2025', '2025-04-07 00:00:00', '2025-04-20 00:00:00', 0, NULL);
INSERT INTO _estblTimesheetRow (idTimesheetRow, iTimesheetID, iUserID, dDateWorked, bIsOffDay, dLastImportDate) VALUES
  (1, 1, 1, '2025-04-14 00:00:00', 0, '2025-04-21 08:30:00'),
  (2, 1, 1, '2025-04-15 00:00:00', 0, '2025-04-21 08:30:00'),
  (3, 1, 1, '2025-04-16 00:00:00', 0, '2025-04-21 08:30:00'),
  (4, 1, 1, '2025-04-17 00:00:00', 0, '2025-04-21 08:30:00'),
  (5, 1, 1, '2025-04-18 00:00:00', 1, '2025-04-21 08:30:00'),
  (6, 1, 1, '2025-04-19 00:00:00', 0, '2025-04-21 08:30:00'),
  (7, 1, 1, '2025-04-20 00:00:00', 0, '2025-04-21 08:30:00'),
  (8, 2, 2, '2025-04-08 00:00:00', 0, '2025-04-21 09:00:00');
INSERT INTO _estblTimesheetRowPlan (idTimesheetRowPlan, iTimesheetRowID, dRosteredStartTime, dRosteredEndTime,
    iRosteredBreakMinutes, cJobTitle, cWorkCode, cCostCode, iJobCodeID, bActualEmpty) VALUES
  (1, 1, '2025-04-14 09:00:00', '2025-04-14 17:30:00', 30, 'Cook', 'ORD', 'KITCHEN', 1, 0),
  (2, 2, '2025-04-15 22:00:00', '2025-04-16 06:00:00', 30, 'Cook', 'ORD', 'KITCHEN', 1, 0),
  (3, 3, '2025-04-16 09:00:00', '2025-04-16 17:30:00', 30, 'Cook', 'ORD', 'KITCHEN', 1, 0),
  (4, 4, '2025-04-17 09:00:00', '2025-04-17 17:30:00', 30, 'Waiter', 'ORD', 'FOH', 2, 0),
  (5, 5, NULL, NULL, 0, NULL, NULL, NULL, NULL, 0),
  (6, 6, NULL, NULL, 0, NULL, NULL, NULL, NULL, 0),
  (7, 7, NULL, NULL, 0, NULL, NULL, NULL, NULL, 1),
  (8, 8, '2025-04-08 10:00:00', '2025-04-08 15:00:00', 0, 'Waiter', 'ORD', 'FOH', 2, 0);
INSERT INTO _estblTimesheetRowHours (idTimesheetRowHours, iTimesheetRowPlanID, dStartTime, dEndTime, bNextDay,
    cWorkCode, cCostCode, cJobTitle, iJobCodeID) VALUES
  (1, 1, '2025-04-14 09:00:00', '2025-04-14 17:35:00', 0, 'ORD', 'KITCHEN', 'Cook', 1),
  (2, 2, '2025-04-15 22:00:00', '2025-04-16 06:15:00', 0, 'ORD', 'KITCHEN', 'Cook', 1),
  (3, 4, '2025-04-17 09:00:00', '2025-04-17 13:00:00', 0, 'ORD', 'FOH', 'Waiter', 2),
  (4, 4, '2025-04-17 13:30:00', '2025-04-17 17:30:00', 0, 'ORD', 'FOH', 'Waiter', 2),
  (5, 8, '2025-04-08 10:00:00', '2025-04-08 15:00:00', 0, 'ORD', 'FOH', 'Waiter', 2);
INSERT INTO _estblLeaveApplications (idLeaveApplication, iUserID, iLeaveID, iStatus, cComment) VALUES
  (1, 1, 0, 1, 'Annual leave, one day'),
  (2, 1, 1, 1, 'Study leave for exam');
INSERT INTO _estblTimesheetLeave (idTimesheetLeave, iTimesheetRowID, iLeaveApplicationID, dStartDate, dEndDate,
    fCurrentHours, iLeaveType, cLeaveReason) VALUES
  (1, 3, 1, '2025-04-16 00:00:00', '2025-04-16 00:00:00', 7.6, 1, 'AL'),
  (2, 7, 2, '2025-04-20 00:00:00', '2025-04-20 00:00:00', 4, 6, 'STUDY ');
INSERT INTO _estblTimesheetRDO (idTimesheetRDO, iTimesheetRowID, dRDODate, fHours) VALUES
  (1, 6, '2025-04-19 00:00:00', 7.6);
INSERT INTO _estblTimesheetAllowance (idTimesheetAllowance, iTimesheetRowID, cAllowanceNo, fValue, cCostCode,
    cJobTitle, iJobCodeId, bPlanAllowance) VALUES
  (1, 4, 'MEAL', 1, 'FOH', 'Waiter', 2, 1),
  (2, 4, 'FIRSTAID', 1, 'FOH', 'Waiter', 2, 0),
  (3, 1, 'MEAL', 1, 'KITCHEN', 'Cook', 1, 0);
INSERT INTO _estblTimesheetCost (idTimesheetCost, iTimesheetID, iTimesheetRowID, iCostingType, cComponentType,
    cComponentName, fRate, fUnits, fValue, fPercent, cFrequency, cCostCode, cJobCode, cClassification,
    cAwardCategory, cLeaveReason, cLeaveClass, dStartTime, dEndTime, dStartDate, dEndDate, iALLink) VALUES
  (1, 2, 8, 2, 'Ordinary Hours', 'Normal', 28.0, 5.0, 140.0, 100, 'Hours', 'FOH', 'WAIT', 'HOSP01', 'PT',
   NULL, NULL, '1899-12-30 10:00:00', '1899-12-30 15:00:00', '2025-04-08 00:00:00', '2025-04-08 00:00:00', 0),
  (2, 2, 8, 1, 'Ordinary Hours', 'Normal', 28.0, 5.0, 140.0, 100, 'Hours', 'FOH', 'WAIT', 'HOSP01', 'PT',
   NULL, NULL, '1899-12-30 10:00:00', '1899-12-30 15:00:00', '2025-04-08 00:00:00', '2025-04-08 00:00:00', 0);
)sql";

const std::string_view kSamplePayroll = R"sql(
INSERT INTO _iptblPayFrequencies (idPayFrequency, cCode, cDescription, iFrequency) VALUES
  (1, 'W', 'Weekly', 0), (2, 'F', 'Fortnightly', 2), (3, 'M', 'Monthly', 5);
INSERT INTO _iptblCostAccounts (idCostAccount, cCostCode, cDescription) VALUES
  (1, 'KITCHEN', 'Kitchen'), (2, 'FOH', 'Front of house'), (3, 'ADMIN', 'Administration');
INSERT INTO _iptblEmployee (idEmployee, cEmpCode, cFirstName, cSurname, cEmploymentType, dDateOfBirth, dHiredDate,
    dTerminationDate, iPayFrequencyID) VALUES
  (1, 'EMP001', 'Alice', 'Nguyen', 'Full Time', '1990-05-12 00:00:00', '2020-02-03 00:00:00', NULL, 1),
  (2, 'EMP002', 'Ben', 'Carter', 'Part Time', '1985-11-30 00:00:00', '2024-07-01 00:00:00', NULL, 2),
  (3, 'EMP003', 'Chloe', 'Smith', 'Casual', '2004-02-29 00:00:00', '2023-01-09 00:00:00', NULL, 1);
INSERT INTO _iptblEmployeeRates_TD (idEmployeeRateTD, iEmployeeID, fNormalRate, fNormalHours, fYearlySalary,
    dEffectiveDate, dEndDate) VALUES
  (1, 1, 30.50, 38, 60437.00, '2024-01-01 00:00:00', '2024-12-31 00:00:00'),
  (2, 1, 31.75, 38, 62738.00, '2025-01-01 00:00:00', '1899-12-30 00:00:00'),
  (3, 2, 28.00, 60, 43680.00, '2024-07-01 00:00:00', '1899-12-30 00:00:00'),
  (4, 3, 25.00, 0, 0, '2023-01-09 00:00:00', '1899-12-30 00:00:00');
INSERT INTO _iptblEmployeeLeave (idEmployeeLeave, iEmployeeID, iLeaveType, iLeaveLoadingClassID, fBalance) VALUES
  (1, 1, 1, 1, 112.5), (2, 1, 0, 0, 40.0), (3, 2, 1, 0, 30.4);
INSERT INTO _iptblAwards (idAward, cCode, cName, bInactive) VALUES
  (1, 'HOSP', 'Hospitality Industry Award', 0),
  (2, 'CLERK', 'Clerks Award', 0);
INSERT INTO _iptblAwards_TD (idAwardTD, iAwardID, cDeftClassCode, cDeftClassDesc, fWeeklyBaseHours,
    iStdPayClassTDID, iChangeReasonID, dEffectiveDate, dEndDate) VALUES
  (1, 1, 'HOSP', 'Hospitality', 38, 1, 0, '2024-01-01 00:00:00', '2024-06-30 00:00:00'),
  (2, 1, 'HOSP', 'Hospitality', 38, 3, 0, '2024-07-01 00:00:00', '1899-12-30 00:00:00'),
  (3, 2, 'CLERK', 'Clerk', 38, 5, 0, '2024-01-01 00:00:00', '1899-12-30 00:00:00');
INSERT INTO _iptblPayClasses (idPayClass, iAwardID, cCode, cDescription) VALUES
  (1, 1, 'HOSP01', 'Hospitality Level 01'),
  (2, 1, 'HOSP02', 'Hospitality Level 02'),
  (3, 2, 'CLERK01', 'Clerk Level 01');
INSERT INTO _iptblPayClasses_TD (idPayClassTD, iPayClassID, iAwardTDID, fAutoPayAmount, fNormalRate) VALUES
  (1, 1, 1, 882.80, 23.23), (2, 2, 1, 914.30, 24.06),
  (3, 1, 2, 915.90, 24.10), (4, 2, 2, 948.80, 24.97),
  (5, 3, 3, 942.60, 24.81);
INSERT INTO _iptblAwardCategories (idAwardCategory, cCode, cDescription) VALUES
  (1, 'FT', 'Full Time'), (2, 'PT', 'Part Time'), (3, 'CAS', 'Casual');
INSERT INTO _iptblAwardCategoryLinks (idAwardCategoryLink, iAwardTDID, iAwardCategoryID, fPercentage, bStdRateOnly) VALUES
  (1, 1, 1, 100, 0), (2, 1, 2, 100, 0), (3, 1, 3, 125, 0),
  (4, 2, 1, 100, 0), (5, 2, 2, 100, 0), (6, 2, 3, 125, 0),
  (7, 3, 1, 100, 1);
INSERT INTO _iptblAwardConditionGroup (idAwardConditionGroup, iAwardID, cConditionGroup) VALUES
  (1, 1, 'Standard'), (2, 1, 'Night Shift'), (3, 2, 'Standard');
INSERT INTO _iptblAwardJobs (idAwardJob, iAwardID, cCode, cDescription, iPayClassID, iCostAccountID) VALUES
  (1, 1, 'Cook', 'Cook', 1, 1),
  (2, 1, 'Waiter', 'Food and beverage attendant', 2, 2),
  (3, 2, 'Clerk', 'Office clerk', 3, 3);
INSERT INTO _iptblEmployeeAwards_TD (idEmployeeAwardTD, iEmployeeID, iAwardID, iPayClassID, iAwardEmplCategoryID,
    iAwardConditionGroupID, fYearlySalary, fNormalHours, bUseDefaultRate, fNormalRate, fAwardCategoryHoursToDate,
    fAutopayAmount, iChangeType, iChangeReasonID, iAgentID, dEffectiveDate, dEndDate) VALUES
  (1, 1, 1, 1, 1, 1, 60437.00, 38, 1, 30.50, 0, 0, 1, 0, 0, '2024-01-01 00:00:00', '2024-12-31 00:00:00'),
  (2, 1, 1, 2, 1, 1, 62738.00, 38, 1, 31.75, 0, 0, 1, 0, 0, '2025-01-01 00:00:00', '1899-12-30 00:00:00'),
  (3, 2, 1, 1, 2, 2, 43680.00, 60, 1, 28.00, 0, 0, 1, 0, 0, '2024-07-01 00:00:00', '1899-12-30 00:00:00'),
  (4, 3, 1, 1, 3, 1, 0, 0, 1, 25.00, 0, 0, 1, 0, 0, '2023-01-09 00:00:00', '1899-12-30 00:00:00');
INSERT INTO _iptblAdditionsDeductions (idAddDeduct, cCode, cDescription, siType, fDefaultAmtPerc, bInactive) VALUES
  (1, 'MEAL', 'Meal Allowance', 1, 15.20, 0),
  (2, 'UNIFORM', 'Uniform Allowance', 0, 10.00, 0),
  (3, 'FIRSTAID', 'First Aid Allowance', 1, 3.50, 0);
INSERT INTO _iptblEmployeeAddsDeds_TD (idEmployeeAddDedTD, iEmployeeID, iAddsDedsID, iAwardID, bUseRegister,
    fAmtPerc, iChangeType, dEffectiveDate, dEndDate) VALUES
  (1, 1, 2, 1, 0, 12.50, 1, '2025-01-01 00:00:00', '1899-12-30 00:00:00'),
  (2, 1, 3, 1, 1, 0, 1, '2024-01-01 00:00:00', '1899-12-30 00:00:00'),
  (3, 1, 2, 1, 0, 11.00, 1, '2024-01-01 00:00:00', '2024-12-31 00:00:00');
INSERT INTO PRPeriod (Counter, PayFrequencyID, PeriodStart, PeriodEnd, IsProcessed) VALUES
  (1, 1, '2025-04-07 00:00:00', '2025-04-13 00:00:00', 1),
  (2, 1, '2025-04-14 00:00:00', '2025-04-20 00:00:00', 0),
  (3, 1, '2025-04-21 00:00:00', '2025-04-27 00:00:00', 0),
  (4, 2, '2025-04-07 00:00:00', '2025-04-20 00:00:00', 0);
INSERT INTO _iptblEmployeeTrans (idEmployeeTrans, iEmployeeID, iAddsDedsID, iPeriodID, iPayFrequencyID,
    dEffectiveDate, fUnits, fRate, fValue) VALUES
  (1, 1, 1, 1, 1, '2025-04-10 00:00:00', 1, 15.20, 15.20),
  (2, 1, 3, 1, 1, '2025-04-08 00:00:00', 1, 3.50, 3.50);
INSERT INTO _iptblRateTypes (idRateType, cCode, cDescription) VALUES
  (1, 'ORD', 'Ordinary rate'), (2, 'LOAD', 'Leave loading rate'), (3, 'NOPAY', 'Unpaid');
INSERT INTO _iptblRateTypes_TD (idRateTypeTD, iRateTypeID, fRate, iType, iGrouping, dEffectiveDate, dEndDate) VALUES
  (1, 1, 0, 2, 0, '2020-01-01 00:00:00', '1899-12-30 00:00:00'),
  (2, 2, 35.00, 1, 1, '2024-01-01 00:00:00', '2024-12-31 00:00:00'),
  (3, 2, 36.00, 1, 1, '2025-01-01 00:00:00', '1899-12-30 00:00:00'),
  (4, 3, 0, 0, 0, '2020-01-01 00:00:00', '1899-12-30 00:00:00');
INSERT INTO _iptblLeaveReasons (idLeaveReason, cCode, cDescription, bUnpaid, iRateTypeID, iCostAccountID) VALUES
  (1, 'AL', 'Annual Leave', 0, 1, NULL),
  (2, 'SICK', 'Sick Leave', 0, 1, NULL),
  (3, 'LWOP', 'Leave Without Pay', 1, 3, NULL),
  (4, 'STUDY', 'Study Leave', 0, 2, 2);
INSERT INTO _iptblUserDefinedLeave (idLeave, cCode, cDescription) VALUES
  (1, 'STUDY', 'Study Leave'), (2, 'JURY', 'Jury Service');
INSERT INTO _iptblWorkPatterns (idWorkPattern, cCode, cDescription, iCycleDays, dCycleStartDate) VALUES
  (1, 'STD38', 'Standard 38 hours, Monday to Friday', 7, '2024-01-01 00:00:00');
INSERT INTO _iptblWorkPatternDays (idWorkPatternDay, iWorkPatternID, iDayNo, fHours) VALUES
  (1, 1, 1, 7.6), (2, 1, 2, 7.6), (3, 1, 3, 7.6), (4, 1, 4, 7.6), (5, 1, 5, 7.6), (6, 1, 6, 0), (7, 1, 7, 0);
INSERT INTO _iptblEmployeeWorkPatterns_TD (idEmployeeWorkPatternTD, iEmployeeID, iWorkPatternID, dEffectiveDate,
    dEndDate) VALUES
  (1, 1, 1, '2024-01-01 00:00:00', '1899-12-30 00:00:00'),
  (2, 2, 1, '2024-07-01 00:00:00', '1899-12-30 00:00:00');
INSERT INTO _iptblPublicHolidays (idPublicHoliday, dDate, cDescription) VALUES
  (1, '2025-04-18 00:00:00', 'Good Friday'),
  (2, '2025-04-21 00:00:00', 'Easter Monday'),
  (3, '2025-04-25 00:00:00', 'Anzac Day');
)sql";

// After the sample award is stored: Alice Nguyen is promoted from HOSP02 to
// HOSP03 (a pay class of the sample award file) on 15 April 2025, in the
// middle of her timesheet week, so that a run shows one employee paid at two
// classifications. The pay class is found by code, as its identity is the
// import's to choose.
const std::string_view kSampleAwardAssignments = R"sql(
UPDATE _iptblEmployeeAwards_TD SET dEndDate = '2025-04-14 00:00:00' WHERE idEmployeeAwardTD = 2;
INSERT INTO _iptblEmployeeAwards_TD (iEmployeeID, iAwardID, iPayClassID, iAwardEmplCategoryID,
    iAwardConditionGroupID, fYearlySalary, fNormalHours, bUseDefaultRate, fNormalRate, fAwardCategoryHoursToDate,
    fAutopayAmount, iChangeType, iChangeReasonID, iAgentID, dEffectiveDate, dEndDate) VALUES
  (1, 1, (SELECT idPayClass FROM _iptblPayClasses WHERE iAwardID = 1 AND cCode = 'HOSP03'), 1, 1, 64000.00, 38, 1,
   32.40, 0, 0, 1, 0, 0, '2025-04-15 00:00:00', '1899-12-30 00:00:00');
)sql";

}  // namespace qora::schema
