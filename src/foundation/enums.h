// Enumerations shared by the engine's subsystems.
#pragma once

#include <cstdint>

namespace qora {

enum class TMessageSeverity : uint8_t { ms_Information = 0, ms_Warning = 1, ms_Error = 2 };

enum class TMessageLogType : uint8_t {
  mlt_Unknown,
  mlt_Application,
  mlt_Debug,
  mlt_WorkFlow,
  mlt_DataImport,
  mlt_PersonDetails,
  mlt_SystemDetails,
  mlt_WorkGroup,
  mlt_Hierarchy,
  mlt_WorkGroupHierarchy,
  mlt_UserAccess,
  mlt_ReSynch,
  mlt_Refresh,
};

// Which costing a stored-timesheet run produces.
enum class TaiCostingOutputType : uint8_t { cot_None = 0, cot_Publish = 1, cot_Approve = 2, cot_Adhoc = 3 };

}  // namespace qora
