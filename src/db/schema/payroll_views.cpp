// The views of the payroll database. Their SQL is the same on every back end
// (the dialects differ only in tables and routines), so it is kept once and
// placed between each back end's tables and routines by SchemaScript.
#include "db/schema/schema_sources.h"

namespace qora::schema {

const std::array<std::string_view, 7> kPayrollViews = {
    R"sql(CREATE VIEW _ipvPayClasses_TD AS
  SELECT PCT.idPayClassTD, PCT.iPayClassID, PCT.iAwardTDID, PC.iAwardID, PC.cCode, PC.cDescription,
         PCT.fAutoPayAmount, PCT.fNormalRate
  FROM _iptblPayClasses_TD PCT
  JOIN _iptblPayClasses PC ON PC.idPayClass = PCT.iPayClassID)sql",
    R"sql(CREATE VIEW _ipvAwardCategoryLinks AS
  SELECT L.idAwardCategoryLink, L.iAwardTDID, C.idAwardCategory, C.cCode, C.cDescription, L.fPercentage,
         L.bStdRateOnly
  FROM _iptblAwardCategoryLinks L
  JOIN _iptblAwardCategories C ON C.idAwardCategory = L.iAwardCategoryID)sql",
    R"sql(CREATE VIEW _ipvAwardJobs AS
  SELECT J.idAwardJob, J.iAwardID, J.cCode, J.cDescription, J.iPayClassID, PC.cCode AS PayClass,
         J.iCostAccountID, CA.cCostCode AS CostAccount
  FROM _iptblAwardJobs J
  LEFT JOIN _iptblPayClasses PC ON PC.idPayClass = J.iPayClassID
  LEFT JOIN _iptblCostAccounts CA ON CA.idCostAccount = J.iCostAccountID)sql",
    R"sql(CREATE VIEW _ipvEmployeeAwards AS
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
  WHERE EA.iChangeType <> 3)sql",
    R"sql(CREATE VIEW _ipvAdditionsDeductions AS
  SELECT AD.idAddDeduct, AD.cCode, AD.cDescription, AD.siType, AD.fDefaultAmtPerc, AD.bInactive
  FROM _iptblAdditionsDeductions AD)sql",
    R"sql(CREATE VIEW _ipvEmployeeAddsDeds AS
  SELECT EAD.idEmployeeAddDedTD, EAD.iEmployeeID, EAD.iAddsDedsID, EAD.iAwardID, AD.cCode, AD.siType,
         EAD.bUseRegister, AD.cDescription AS CADescription, EAD.fAmtPerc, EAD.dEffectiveDate, EAD.dEndDate
  FROM _iptblEmployeeAddsDeds_TD EAD
  JOIN _iptblAdditionsDeductions AD ON AD.idAddDeduct = EAD.iAddsDedsID
  WHERE EAD.iChangeType <> 3)sql",
    R"sql(CREATE VIEW _ipvEmployeeTrans AS
  SELECT ET.idEmployeeTrans, ET.iEmployeeID, ET.iAddsDedsID, AD.cCode AS cAddDedCode, ET.iPeriodID,
         ET.iPayFrequencyID, ET.dEffectiveDate, ET.fUnits, ET.fRate, ET.fValue
  FROM _iptblEmployeeTrans ET
  JOIN _iptblAdditionsDeductions AD ON AD.idAddDeduct = ET.iAddsDedsID)sql",
};

}  // namespace qora::schema
