// The run as one self-contained page: the map at a chosen moment, a slider over the whole
// run, the timeline beside it and the summary below. Opens from disk, needs no network.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/campsim/map/map_svg.h"
#include "tools/campsim/report/replay.h"
#include "tools/campsim/timeline/summary.h"

namespace campsim {

// The run's data as the page's script reads it (JSON): tracks, channels, length.
std::string ReplayJson(const Replay& replay);

// The panels beside the map (objective, stall, prompts, held, blip, each companion's task),
// empty: the page's script fills them.
void StatePanels(std::string& html);
// JSON made safe to stand inside a <script> element.
std::string ScriptSafe(std::string text);

void WriteReportHtml(std::ostream& out, const Replay& replay, const MapCaption& caption,
                     const std::vector<SummaryLine>& summary);

}  // namespace campsim
