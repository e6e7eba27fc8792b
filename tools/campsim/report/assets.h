// The report page's script and style, built in from page.js and page.css beside it.
#pragma once

namespace campsim {

extern const char* const kReportScript;
extern const char* const kReportStyle;

}  // namespace campsim
