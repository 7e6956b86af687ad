// An award as award maintainers read it: the header, pay classes,
// categories, condition groups, jobs and every component with the name
// users know its type by and what it pays; as text or as JSON.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace qora {

class TObjAward;
class TObjAwardConditionBase;

// What a component pays, in words: for overtime its condition details and
// rate codes with percentages (and the next rate), for penalties and
// allowances the addition code with its pay details ("$ 12.5 per Shift"),
// for other rate components the rate code and percentage; "" for rules
// and leave kinds that pay nothing themselves.
std::string ComponentPayDetails(const TObjAwardConditionBase& pComponent);
// The component's own settings (the published properties its kind adds
// to the common component fields) as "Name value" pairs joined by "; ",
// empty texts left out.
std::string ComponentSettings(const TObjAwardConditionBase& pComponent);

// The readable text of `qora award show`; ends with a line break.
std::string AwardSummaryText(TObjAward& pAward);
// The same as JSON: the header fields, "PayClasses", "Categories",
// "ConditionGroups", "Jobs" and "Components" by family, each component
// with "Type" (its display name), "Class", "Description",
// "ConditionGroups", "PayDetails" and "Properties" (every published value).
nlohmann::ordered_json AwardSummaryJson(TObjAward& pAward);

}  // namespace qora
