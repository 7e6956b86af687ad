// Reading the parameters of a shift action. The rule engine hands every
// action its evaluated parameters as texts, in order; each action reads
// them by position through these functions, so that every action converts
// the same way:
//  - a missing parameter reads as an empty text;
//  - numbers use "." as the decimal separator; a text that is not a number
//    reads as 0;
//  - integers read as their value, or as the action's stated default when
//    the text is not an integer;
//  - Booleans read from "True"/"False", "1"/"0" and the like, false by default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qora {

using TActionParams = std::vector<std::string>;

// Parameter pIndex as text; "" when the condition passed fewer parameters.
const std::string& ParamText(const TActionParams& pParams, size_t pIndex);
// Parameter pIndex as a number; 0 when it is not a number.
double ParamFloat(const TActionParams& pParams, size_t pIndex);
// Parameter pIndex as an integer; pDefault when it is not an integer.
int64_t ParamInt(const TActionParams& pParams, size_t pIndex, int64_t pDefault);
// Parameter pIndex as a Boolean; false when it has no Boolean meaning.
bool ParamBool(const TActionParams& pParams, size_t pIndex);

}  // namespace qora
