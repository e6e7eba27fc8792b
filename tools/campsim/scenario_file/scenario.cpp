#include "tools/campsim/scenario_file/scenario.h"

#include <fmt/format.h>

#include "tools/campsim/scenario_file/json_values.h"

namespace campsim {

std::string FormatPoint(sim::Vec3 p) {
  return fmt::format("({:.1f}, {:.1f}, {:.1f})", p.x, p.y, p.z);
}

std::string Describe(const Step& step) {
  return std::visit(
      Overloaded{
          [](const WaitStep& s) { return fmt::format("wait {} ms", s.ms); },
          [](const TeleportStep& s) { return "teleport to " + FormatPoint(s.to); },
          [](const MoveStep& s) {
            return fmt::format("move to {} at {:.1f} units/s", FormatPoint(s.to), s.unitsPerSecond);
          },
          [](const TargetStep& s) { return "lock on to " + s.name; },
          [](const ReleaseTargetStep&) { return std::string("release the lock-on"); },
          [](const HoldStep& s) { return fmt::format("hold {} for {} ms", s.control, s.ms); },
          [](const PressStep& s) { return "press " + s.control; },
          [](const ReleaseStep& s) { return "let go of " + s.control; },
          [](const GoStep& s) {
            return s.to ? fmt::format("go to {} at {:.1f} units/s", FormatPoint(*s.to),
                                      s.unitsPerSecond)
                        : std::string("stop going");
          },
          [](const BoardStep&) { return std::string("board the wagon"); },
          [](const LeaveStep&) { return std::string("get out of the vehicle"); },
          [](const VanishStep& s) { return fmt::format("fault: {} vanishes", s.name); },
          [](const KillStep& s) { return fmt::format("fault: {} is killed", s.name); },
          // The file's own words, kept to one line.
          [](const NeverLoadsStep& s) {
            return fmt::format("fault: {} (0x{:08X}) never loads", OneLineName(s.label), s.hash);
          },
          [](const SilentLineStep& s) {
            return fmt::format("fault: {} is never heard", Quoted(s.line));
          },
          [](const NewPlayerPedStep&) { return std::string("fault: the player gets a new ped"); },
          [](const ReloadStep& s) {
            return s.at ? "the game reloads, the player at " + FormatPoint(*s.at)
                        : std::string("the game reloads");
          },
          [](const RestartStep&) { return std::string("the host restarts its scripts"); },
          [](const OtherScriptStep&) {
            return std::string("another script makes a thing of its own near the camp");
          },
          [](const DropPromptStep&) {
            return std::string("fault: the game drops one of the plugin's prompts");
          },
      },
      step);
}

}  // namespace campsim
