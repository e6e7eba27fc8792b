#include "tools/campsim/scenario_file/writer.h"

#include <array>
#include <charconv>

namespace campsim {

namespace {

// A float as the shortest decimal that reads back as the same float: a place clicked at
// -1600.11 is saved as -1600.11, not as the float's exact -1600.1099853515625. The decimal
// goes through a double, which JSON writes in its own shortest form.
double Shortest(float v) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), v);
  double shortest = 0.0;
  std::from_chars(text.data(), written.ptr, shortest);
  return shortest;
}

json PointJson(sim::Vec3 p) { return json::array({Shortest(p.x), Shortest(p.y), Shortest(p.z)}); }

}  // namespace

json StepJson(const Step& step) {
  return std::visit(
      Overloaded{
          [](const WaitStep& s) {
            return json{{"wait", s.ms}};
          },
          [](const TeleportStep& s) {
            return json{{"teleport", PointJson(s.to)}};
          },
          [](const MoveStep& s) {
            return json{{"move", PointJson(s.to)}, {"speed", Shortest(s.unitsPerSecond)}};
          },
          [](const TargetStep& s) {
            return json{{"target", s.name}};
          },
          [](const ReleaseTargetStep&) {
            return json{{"target", nullptr}};
          },
          [](const HoldStep& s) {
            return json{{"hold", s.control}, {"ms", s.ms}};
          },
          [](const PressStep& s) {
            return json{{"press", s.control}};
          },
          [](const ReleaseStep& s) {
            return json{{"release", s.control}};
          },
          [](const GoStep& s) {
            return json{{"go", s.to ? PointJson(*s.to) : json(nullptr)},
                        {"speed", Shortest(s.unitsPerSecond)}};
          },
          [](const BoardStep&) {
            return json{{"board", "wagon"}};
          },
          [](const LeaveStep&) {
            return json{{"leave", true}};
          },
          [](const VanishStep& s) {
            return json{{"vanish", s.name}};
          },
          [](const KillStep& s) {
            return json{{"kill", s.name}};
          },
          [](const NeverLoadsStep& s) {
            return json{{"never_loads", s.label}};
          },
          [](const SilentLineStep& s) {
            return json{{"silent_line", s.line}};
          },
          [](const NewPlayerPedStep&) {
            return json{{"new_player_ped", true}};
          },
          [](const ReloadStep& s) {
            return json{{"reload", s.at ? PointJson(*s.at) : json(true)}};
          },
          [](const RestartStep&) {
            return json{{"restart", true}};
          },
          [](const OtherScriptStep&) {
            return json{{"other_script", true}};
          },
          [](const DropPromptStep&) {
            return json{{"drop_prompt", true}};
          },
      },
      step);
}

std::string ScenarioFileText(const sim::WorldSettings& w, std::span<const Step> steps) {
  const json world{{"load_polls", w.loadPolls},
                   {"speech_ms", w.speechMs},
                   {"release_range", Shortest(w.releaseRange)},
                   {"reuse_handles", w.reuseHandles},
                   {"release_zeroes", w.releaseZeroes},
                   {"other_script_ms", w.otherScriptEveryMs},
                   {"camp_scenario_points", w.campScenarioPoints},

                   {"unowned_delete_releases", w.unownedDeleteReleases},
                   {"blip_goes_with_entity", w.blipGoesWithEntity},
                   {"prompt_drop_ms", w.promptDropEveryMs},
                   {"track_propset_requests", w.trackPropsetRequests},
                   {"reload_keeps_player_number", w.reloadKeepsPlayerNumber}};
  std::string text = "{\n";
  text += "  \"seed\": " + json(w.seed).dump() + ",\n";
  text += "  \"frame_ms\": " + json(w.frameMs).dump() + ",\n";
  text += "  \"clock\": " + json(w.startClock).dump() + ",\n";
  text += "  \"start\": " + PointJson(w.playerStart).dump() + ",\n";
  text += "  \"world\": " + world.dump() + ",\n";
  text += "  \"steps\": [";
  for (std::size_t i = 0; i < steps.size(); ++i) {
    text += (i == 0 ? "\n    " : ",\n    ") + StepJson(steps[i]).dump();
  }
  text += steps.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return text;
}

}  // namespace campsim
