// The playground's page: the replay page's map and panels, with the controls that play the
// camp by hand. Its script and style are built in from page.js and page.css beside it.
#pragma once

#include <cstdint>
#include <string>

namespace campsim {

extern const char* const kPlayScript;
extern const char* const kPlayStyle;

std::string PlayPageHtml(const std::string& title, std::int32_t frameMs);

}  // namespace campsim
