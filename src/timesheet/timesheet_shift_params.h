// Reading the parameters of a shift action. The rule engine hands every
// action its evaluated parameters as texts, in order (each text read each
// way at most once, see TActionParam); each action reads
// them by position through these functions, so that every action converts
// the same way:
//  - a missing parameter reads as an empty text;
//  - numbers use "." as the decimal separator; a text that is not a number
//    reads as 0;
//  - integers read as their value, or as the action's stated default when
//    the text is not an integer;
//  - Booleans read from "True"/"False", "1"/"0" and the like, false by default;
//  - ordinals of an enumeration read as integers, and an integer outside the
//    enumeration reads as the action's default, as a text that is no integer
//    does;
//  - the strict forms fail instead of falling back, for actions whose
//    parameters must say what they mean (a wrong accrual switch would pay
//    leave that should have been accrued).
#pragma once

#include <cstdint>
#include <string>

#include "foundation/action_params.h"

namespace qora {

// Parameter pIndex as text; "" when the condition passed fewer parameters.
const std::string& ParamText(const TActionParams& pParams, size_t pIndex);
// Parameter pIndex as a number; 0 when it is not a number.
double ParamFloat(const TActionParams& pParams, size_t pIndex);
// Parameter pIndex as an integer; pDefault when it is not an integer.
int64_t ParamInt(const TActionParams& pParams, size_t pIndex, int64_t pDefault);
// Parameter pIndex as a Boolean; false when it has no Boolean meaning.
bool ParamBool(const TActionParams& pParams, size_t pIndex);
// Parameter pIndex as an ordinal 0 .. pCount - 1 of an enumeration of pCount
// values; pDefault when it is not an integer or lies outside.
int64_t ParamOrdinal(const TActionParams& pParams, size_t pIndex, int64_t pDefault, int64_t pCount);
// Parameter pIndex as an integer or a Boolean; a text without that meaning
// (a missing parameter included) throws eaiPRocessorException
// "'<text>' is not a valid integer value" or "'<text>' is not a valid
// boolean value".
int64_t ParamIntStrict(const TActionParams& pParams, size_t pIndex);
bool ParamBoolStrict(const TActionParams& pParams, size_t pIndex);

}  // namespace qora
