#include "tools/campsim/scenario_file/step_readers.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>

#include "tools/campsim/camp/camp_tables.h"

namespace campsim {

namespace {

constexpr float kDefaultSpeed = 8.0f;
constexpr double kFastestSpeed = 1000.0;

// The value of the action's key, and the whole step for the keys beside it.
using Reader = Step (*)(const json& value, const json& step, std::string_view what);

struct StepKind {
  std::string_view action;
  std::string_view extra;  // the one other key the step may have, or empty
  std::string_view needs;  // if the step must have it: what it says ("how long to hold")
  Reader read;
};

std::string CompanionName(const json& v, std::string_view what) {
  std::string name = Text(v, what);
  if (CompanionByName(name) == nullptr) {
    throw Invalid{fmt::format("{}: no companion is named {} (Charles, Sadie, Karen or Abe)", what,
                              Quoted(name))};
  }
  return name;
}

std::string VictimName(const json& v, std::string_view what) {
  std::string name = Text(v, what);
  if (CompanionByName(name) == nullptr && name != "wagon" && name != "tent") {
    throw Invalid{fmt::format("{}: {} is not Charles, Sadie, Karen, Abe, \"wagon\" or \"tent\"",
                              what, Quoted(name))};
  }
  return name;
}

Step AssetHash(const json& v, const json&, std::string_view what) {
  if (v.is_number()) {
    const auto hash = static_cast<std::uint32_t>(WholeNumber(v, what, 0, 0xFFFFFFFF));
    return NeverLoadsStep{hash, HexHash(hash)};
  }
  std::string text = Text(v, fmt::format("{} (a name, a hash or \"0x...\")", what));
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t hash = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, hash, 16);
    if (ec != std::errc() || end != last) {
      throw Invalid{fmt::format("{}: {} is not a 32-bit hex hash", what, Quoted(text))};
    }
    return NeverLoadsStep{hash, text};
  }
  return NeverLoadsStep{sim::JoaatHash(text), text};
}

float Speed(const json& step) {
  float speed = kDefaultSpeed;
  if (const auto s = step.find("speed"); s != step.end()) {
    if (!s->is_number() || !(s->get<double>() > 0.0 && s->get<double>() <= kFastestSpeed)) {
      throw Invalid{"\"speed\" must be a number of units per second above 0 and up to 1000"};
    }
    speed = s->get<float>();
    // Below the smallest float, but not 0: the bounds check says how slow is too slow.
    if (speed == 0.0f) speed = std::numeric_limits<float>::denorm_min();
  }
  return speed;
}

Step Move(const json& v, const json& step, std::string_view what) {
  return MoveStep{Point(v, what), Speed(step)};
}

Step Go(const json& v, const json& step, std::string_view what) {
  if (v.is_null()) return GoStep{std::nullopt, Speed(step)};
  return GoStep{Point(v, what), Speed(step)};
}

Step Target(const json& v, const json&, std::string_view what) {
  if (v.is_null()) return ReleaseTargetStep{};
  return TargetStep{CompanionName(v, what)};
}

// One of the prompts' controls: a mistyped one would be held to no effect.
std::string ControlName(const json& v, std::string_view what) {
  std::string name = Text(v, what);
  if (std::find(kPromptControls.begin(), kPromptControls.end(), name) == kPromptControls.end()) {
    std::string allowed;
    for (const char* control : kPromptControls) {
      allowed += fmt::format("{}{}", allowed.empty() ? "" : ", ", control);
    }
    throw Invalid{
        fmt::format("{}: {} is not a prompt's control ({})", what, Quoted(name), allowed)};
  }
  return name;
}

Step Hold(const json& v, const json& step, std::string_view what) {
  return HoldStep{ControlName(v, what), Milliseconds(step.at("ms"), "\"ms\"")};
}

template <class S>
Step Flag(const json& v, const json&, std::string_view what) {
  MustBe(v, true, what);
  return S{};
}

constexpr auto kStepKinds = std::to_array<StepKind>({
    {"wait", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       return WaitStep{Milliseconds(v, what)};
     }},
    {"teleport", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       return TeleportStep{Point(v, what)};
     }},
    {"move", "speed", "", Move},
    {"target", "", "", Target},
    {"hold", "ms", "how long to hold", Hold},
    {"press", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       return PressStep{ControlName(v, what)};
     }},
    {"release", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       return ReleaseStep{ControlName(v, what)};
     }},
    {"go", "speed", "", Go},
    {"board", "", "",
     [](const json& v, const json&, std::string_view) -> Step {
       if (!v.is_string() || v.get<std::string>() != "wagon") {
         throw Invalid{"\"board\" must be \"wagon\""};
       }
       return BoardStep{};
     }},
    {"leave", "", "", Flag<LeaveStep>},
    {"vanish", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       return VanishStep{VictimName(v, what)};
     }},
    {"kill", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       return KillStep{VictimName(v, what)};
     }},
    {"never_loads", "", "", AssetHash},
    {"silent_line", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       return SilentLineStep{Text(v, what)};
     }},
    {"new_player_ped", "", "", Flag<NewPlayerPedStep>},
    {"reload", "", "",
     [](const json& v, const json&, std::string_view what) -> Step {
       if (v.is_boolean()) {
         MustBe(v, true, fmt::format("{} (true, or where the player stands: [x, y, z])", what));
         return ReloadStep{};
       }
       if (!v.is_array()) {
         throw Invalid{fmt::format("{} must be true or the player's place, [x, y, z], not {}", what,
                                   KindOf(v))};
       }
       return ReloadStep{Point(v, what)};
     }},
    {"restart", "", "", Flag<RestartStep>},
    {"other_script", "", "", Flag<OtherScriptStep>},
    {"drop_prompt", "", "", Flag<DropPromptStep>},
});

const StepKind* KindFor(std::string_view key) {
  for (const StepKind& kind : kStepKinds) {
    if (kind.action == key) return &kind;
  }
  return nullptr;
}

bool IsExtra(std::string_view key) {
  return std::any_of(kStepKinds.begin(), kStepKinds.end(), [&](const StepKind& kind) {
    return !kind.extra.empty() && kind.extra == key;
  });
}

// The actions an extra key belongs to: "\"move\" or \"go\"".
std::string OwnersOfExtra(std::string_view key) {
  std::string owners;
  for (const StepKind& kind : kStepKinds) {
    if (kind.extra != key) continue;
    owners += fmt::format("{}\"{}\"", owners.empty() ? "" : " or ", kind.action);
  }
  return owners;
}

}  // namespace

Step ReadStep(const json& item) {
  if (!item.is_object()) {
    throw Invalid{fmt::format("must be an object with one action, e.g. {{\"wait\": 1000}}, not {}",
                              KindOf(item))};
  }
  const StepKind* kind = nullptr;
  std::string action;
  for (const auto& [key, value] : item.items()) {
    if (IsExtra(key)) continue;
    const StepKind* k = KindFor(key);
    if (k == nullptr) throw Invalid{fmt::format("unknown action {}", Quoted(key))};
    if (kind != nullptr) {
      throw Invalid{
          fmt::format("has two actions, \"{}\" and \"{}\"; give one per step", action, key)};
    }
    kind = k;
    action = key;
  }
  if (kind == nullptr) {
    throw Invalid{
        "has no action (wait, teleport, move, go, target, hold, press, release, board, leave or a "
        "fault)"};
  }
  for (const auto& [key, value] : item.items()) {
    if (IsExtra(key) && kind->extra != key) {
      throw Invalid{fmt::format("\"{}\" belongs to {} only", key, OwnersOfExtra(key))};
    }
  }
  if (!kind->needs.empty() && !item.contains(kind->extra)) {
    throw Invalid{fmt::format("\"{}\" needs \"{}\", {}", action, kind->extra, kind->needs)};
  }
  return kind->read(item.at(action), item, fmt::format("\"{}\"", action));
}

}  // namespace campsim
