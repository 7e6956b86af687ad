// What the run driver needs from the rule engine: a work item, the
// conditions of its award, and a run of those conditions.
#pragma once

#include <functional>
#include <string>

#include "formula/parser_events.h"

namespace qora {

class TQelParser;
class TnxBaseObject;
class TTimesheetShift;

// Makes the shift's column variables and registers the domain functions in
// the parser: before every condition row when conditions run literally, and
// once per column layout when they run compiled. So the variables it makes
// may depend only on the shift's columns that ask for a variable (their
// names and types, in order), and a variable's value only on the column of
// the same name: compiled runs refresh such variables from their columns,
// and any other variable keeps the value it was made with. (TECAParserEvent,
// for assignment actions, and TECADebugEvent, the rule engine's trace, come
// with the parser.)
using TCreateVariablesEvent = std::function<void(TQelParser& sender)>;

class IProcessManager {
 public:
  virtual ~IProcessManager() = default;

  // pSource names what the handler makes its variables from (the timesheet
  // manager, say). Setting a handler of the same non-null source again keeps
  // the conditions compiled for it: a job that runs timesheet after timesheet
  // compiles each award once. A null source always counts as a new one.
  virtual void SetOnCreateVariables(TCreateVariablesEvent handler, const void* pSource = nullptr) = 0;
  virtual void SetOnSetVariable(TECAParserEvent handler) = 0;
  virtual void SetOnDebugMessage(TECADebugEvent handler) = 0;

  // The shift the next LoadCurrentShiftConditions and Process work on; not owned.
  virtual void SetWorkItem(TTimesheetShift* shift) = 0;
  virtual TTimesheetShift* WorkItem() const = 0;
  // Loads the conditions of the work item's award. Throws when the award or
  // its conditions cannot be had; the driver then skips the shift.
  virtual void LoadCurrentShiftConditions() = 0;
  // Runs the loaded conditions against the work item.
  virtual void Process() = 0;
};

}  // namespace qora
