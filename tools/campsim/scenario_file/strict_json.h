// JSON as a scenario file must be written: a key given twice in one object is a mistake,
// not a setting that the last one wins.
#pragma once

#include <string_view>

#include "tools/campsim/scenario_file/json_values.h"

namespace campsim {

// Throws json::parse_error for bad JSON and Invalid for a key given twice, naming where
// ("step 3: ...").
json ParseStrictJson(std::string_view text);

}  // namespace campsim
