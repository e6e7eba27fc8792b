#include "tools/campsim/scenario_file/strict_json.h"

#include <fmt/format.h>

#include <algorithm>
#include <string>
#include <vector>

namespace campsim {

namespace {

struct Level {
  bool object = false;
  std::vector<std::string> keys;  // an object's keys so far
  std::size_t items = 0;          // an array's items so far
};

// "step 3: ", "\"world\" ", "item 2: " inside an array at the top (a file the reader
// refuses anyway), or nothing at the top. Only the levels' own counts are read: a key path
// may be empty when the top is not an object.
std::string Where(const std::vector<Level>& levels) {
  if (levels.size() < 2) return {};
  const Level& top = levels[0];
  if (!top.object) return fmt::format("item {}: ", top.items);
  if (top.keys.empty()) return {};
  const std::string& key = top.keys.back();
  if (key == "steps" && levels.size() >= 3 && !levels[1].object) {
    return fmt::format("step {}: ", levels[1].items);
  }
  return Quoted(key) + " ";
}

}  // namespace

json ParseStrictJson(std::string_view text) {
  std::vector<Level> levels;
  auto newItem = [&] {
    if (!levels.empty() && !levels.back().object) ++levels.back().items;
  };
  auto check = [&](int, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start:
      case json::parse_event_t::array_start:
        newItem();
        levels.push_back({event == json::parse_event_t::object_start, {}, 0});
        break;
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        levels.pop_back();
        break;
      case json::parse_event_t::key: {
        std::vector<std::string>& keys = levels.back().keys;
        std::string key = parsed.get<std::string>();
        if (std::find(keys.begin(), keys.end(), key) != keys.end()) {
          keys.push_back(key);  // so that the place is named as the key's
          throw Invalid{fmt::format("{}has the key {} twice", Where(levels), Quoted(key))};
        }
        keys.push_back(std::move(key));
        break;
      }
      case json::parse_event_t::value:
        newItem();
        break;
    }
    return true;
  };
  return json::parse(text, check);
}

}  // namespace campsim
