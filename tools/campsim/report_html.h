// The run as one self-contained page: the map at a chosen moment, a slider over the whole
// run, the timeline beside it and the summary below. Opens from disk, needs no network.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/campsim/map_svg.h"
#include "tools/campsim/replay.h"
#include "tools/campsim/summary.h"

namespace campsim {

// The run's data as the page's script reads it (JSON): tracks, channels, length.
std::string ReplayJson(const Replay& replay);

void WriteReportHtml(std::ostream& out, const Replay& replay, const MapCaption& caption,
                     const std::vector<SummaryLine>& summary);

}  // namespace campsim
