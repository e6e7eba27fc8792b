#include "fuzz/scenario_check.h"

#include <fstream>
#include <sstream>

#include "tools/campsim/campsim.h"
#include "tools/campsim/scenario_file/reader.h"

namespace campfire_fuzz {

namespace {

constexpr int kRefused = 2;

std::string Refusal(const std::string& err, const std::string& out, const std::string& path,
                    std::int64_t elapsedMs) {
  if (elapsedMs >= 0) return "refused after frames had run: " + err;
  if (!out.empty()) return "refused after printing: " + out;
  if (err.empty() || err.back() != '\n' || err.find('\n') != err.size() - 1) {
    return "the refusal is not one line: " + err;
  }
  if (err.rfind(path + ": ", 0) != 0) return "the refusal does not name the file: " + err;
  return {};
}

}  // namespace

std::string CheckScenarioBytes(std::string_view bytes, const std::string& path) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  campsim::CampsimSetup setup;
  setup.limits.maxLengthMs = kScenarioCapMs;
  std::int64_t elapsedMs = -1;
  setup.elapsedMs = &elapsedMs;
  const char* argv[] = {"campsim", path.c_str(), "--quiet"};
  std::ostringstream out;
  std::ostringstream err;
  const int code = campsim::RunCampsim(3, argv, out, err, setup);
  if (code == kRefused) return Refusal(err.str(), out.str(), path, elapsedMs);
  if (code != 0 && code != 1)
    return "campsim ended with " + std::to_string(code) + ": " + err.str();
  if (elapsedMs < 0) return "a run that was not refused ran no frame";
  const auto load = campsim::ParseScenario(bytes, path, campsim::ScenarioLimits{kScenarioCapMs});
  if (!load.scenario) return "read once, refused the second time: " + load.error;
  if (elapsedMs > load.scenario->lengthMs) {
    return "ran " + std::to_string(elapsedMs) + " ms, past its length of " +
           std::to_string(load.scenario->lengthMs) + " ms";
  }
  return {};
}

}  // namespace campfire_fuzz
