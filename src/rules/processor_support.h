// Pieces the processor's two runs share; internal to the rule engine.
#pragma once

#include <string>

#include "formula/value.h"

namespace qora {

class ClassInfo;
class TMemoryTable;
struct TConditionRow;

// The row pIndex of a condition table.
TConditionRow ConditionRowOf(const TMemoryTable& pTable, int pIndex);

// The text of a value as traces and operation parameters carry it: a Real
// by the pattern "0.#####", an Integer in decimal, "True"/"False", a String
// as it is. Written into pOut, whose buffer is reused.
void ResultText(const TQelValue& pValue, std::string& pOut);

// The text with its first letter in upper case.
std::string Capitalised(std::string pText);

// The compiled run makes the variables of a class once; a string-list
// property, whose lines become variables, would give other names from
// shift to shift, so such a class always takes the literal run.
bool SupportsCompiledRun(const ClassInfo& pItemClass);

}  // namespace qora
