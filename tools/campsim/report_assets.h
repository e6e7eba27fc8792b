// The report page's script and style, built in from report_page.js and report_page.css.
#pragma once

namespace campsim {

extern const char* const kReportScript;
extern const char* const kReportStyle;

}  // namespace campsim
