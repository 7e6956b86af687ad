// The expression variables that stand for a work item's published
// properties: which properties give a variable, of which type, and the value
// a variable takes from a property. Both ways of running conditions (the
// full rebuild before every row and the compiled run) use these, so a
// property reads the same in either.
#pragma once

#include "formula/value.h"
#include "foundation/class_info.h"

namespace qora {

class TCustomVariable;
class TQelParser;
class TnxBaseObject;

// True for the properties that become a variable of their own: every scalar
// kind. Object properties give none; string lists give one variable per
// name=value line instead (see CreatePropertyVariables).
bool IsPropertyVariable(const PropertyInfo& pProp);

// Integer properties and enumerations (by ordinal) read as Integer,
// Booleans as Boolean, floating-point properties and dates as Real,
// everything else as String.
TQelDataType PropertyVariableType(const PropertyInfo& pProp);

// Sets the variable to the property's value as the property's text form
// reads back: a Real is thus taken to the 15 significant digits its text
// has, and a text that is not a number reads as 0. Enumerations take their
// ordinal. pVariable must be of PropertyVariableType(pProp).
void AssignPropertyVariable(TCustomVariable& pVariable, const PropertyInfo& pProp, const PropValue& pValue);

// Creates in the parser one variable per published property of the item,
// in declaration order, with its current value (string lists: one String
// variable per name=value line). Throws the parser's duplicate-name error
// ("Error: A Variable named X already exists") when a name is taken, and
// whatever a property's getter throws.
void CreatePropertyVariables(TQelParser& pParser, const TnxBaseObject& pItem);

// Creates the variable of one property with the type's zero value.
TCustomVariable* CreateEmptyPropertyVariable(TQelParser& pParser, const PropertyInfo& pProp);

}  // namespace qora
