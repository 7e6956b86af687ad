// The award component classes by stored condition type (iConditionType):
// which class a stored component row becomes, the name users see for the
// type, and the component list of the award it belongs to.
#pragma once

#include <memory>
#include <string>

#include "foundation/award_const.h"
#include "rules/award_source.h"

namespace qora {

class TObjAwardConditionBase;

struct TComponentClassDef {
  TaiConditionType Type;
  const char* ClassName;    // e.g. "TObjAwardOvertimeStd"
  const char* DisplayName;  // e.g. "Planned Hours Exceeded"
  TAwardFamily Family;
};

// The definition of a stored type ordinal (1..21); null for 0 (aict_None)
// and any other value, which have no class.
const TComponentClassDef* FindComponentClassDef(int64_t pConditionType);
// The name users see for the type: the table's display name, "None" for
// aict_None.
std::string ConditionTypeDisplayName(TaiConditionType pType);

// Registers every award class that stored awards and components name (the
// award, its member objects and lists, and every component class), so that
// they can be created by class name. Cheap after the first call.
void EnsureAwardClassesRegistered();
// The same without the award class itself; the award's class description
// calls it while it is being built, so loading any award from XML finds
// its members' classes.
void RegisterAwardMemberClasses();

// A new component of the class the stored type names; null when the type
// has no class. The caller owns it.
std::unique_ptr<TObjAwardConditionBase> CreateAwardComponent(int64_t pConditionType);

}  // namespace qora
