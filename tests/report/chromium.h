// Opens a page in headless Chromium, as a person's browser would, and reads back the DOM the
// page's script left (or a screenshot).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "campsim/campsim_run.h"

namespace report_test {

// Tall enough that the map, which scales to the window, is as wide as its room allows both in
// a picture and in a DOM dump (whose page is the window less the browser's bars): the two
// then put every marker at the same pixel.
inline constexpr const char* kWindow = "1500,1300";

// The windows both pages must fit, nothing hidden or scrolled sideways: the small laptop,
// the commonest laptop, a desktop.
struct Screen {
  int width, height;
  std::string Name() const { return std::to_string(width) + "x" + std::to_string(height); }
};
inline const Screen kScreens[] = {{1280, 800}, {1366, 768}, {1920, 1080}};

// A file of this test process alone: test programs may run side by side.
inline std::string OwnPath(const std::string& name) {
  return campsim_test::TempPath(std::to_string(getpid()) + "-" + name);
}

inline bool HaveChromium() { return std::system("command -v chromium >/dev/null 2>&1") == 0; }

// The sanitizer build still writes every page with its own campsim, but leaves opening them
// to the dev build: the browser and the page are the same in both, and the browser's time
// would only be spent twice.
inline bool OpensPages() { return !CAMPFIRE_SANITIZED; }

// Runs chromium on the page at `fragment` ("#t=75.3") with `what` (--dump-dom or
// --screenshot=FILE); stdout goes to `out`. A fresh profile every time, no sandbox (root in
// a container), and a bound on how long it may take.
inline int RunChromium(const std::string& page, const std::string& fragment,
                       const std::string& what, const std::string& out,
                       const std::string& window = kWindow) {
  static int runs = 0;
  const std::string profile = OwnPath("chromium-profile-" + std::to_string(++runs));
  const std::string command =
      "rm -rf '" + profile +
      "' && timeout 120 chromium --headless --no-sandbox --disable-gpu "
      "--no-first-run --hide-scrollbars --force-device-scale-factor=1 --window-size=" +
      window + " --virtual-time-budget=3000 --user-data-dir='" + profile + "' " + what +
      " 'file://" + page + fragment + "' >'" + out + "' 2>/dev/null; rc=$?; rm -rf '" + profile +
      "'; exit $rc";
  return std::system(command.c_str());
}

inline std::string DumpDom(const std::string& page, const std::string& fragment) {
  const std::string out = OwnPath("dom.html");
  EXPECT_EQ(RunChromium(page, fragment, "--dump-dom", out), 0) << page << fragment;
  return campsim_test::ReadText(out);
}

// Text with the page's escapes undone.
inline std::string Unescape(std::string text) {
  for (const auto& [from, to] : std::map<std::string, std::string>{
           {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
    for (auto p = text.find(from); p != std::string::npos; p = text.find(from, p + 1))
      text.replace(p, from.size(), to);
  }
  return text;
}

// The attributes of an element's start tag.
using Attributes = std::map<std::string, std::string>;

inline Attributes AttributesOf(const std::string& tag) {
  static const std::regex attribute(R"re(([a-zA-Z-]+)="([^"]*)")re");
  Attributes found;
  for (auto it = std::sregex_iterator(tag.begin(), tag.end(), attribute);
       it != std::sregex_iterator(); ++it) {
    found[(*it)[1]] = Unescape((*it)[2]);
  }
  return found;
}

// Every start tag that begins with `opening` ("<g class=\"marker\""), with its attributes.
inline std::vector<Attributes> Tags(const std::string& dom, const std::string& opening) {
  std::vector<Attributes> tags;
  for (auto at = dom.find(opening); at != std::string::npos; at = dom.find(opening, at + 1)) {
    tags.push_back(AttributesOf(dom.substr(at, dom.find('>', at) - at)));
  }
  return tags;
}

// The text inside the element that starts at the first match of `opening`, markup removed
// and the page's escapes undone.
inline std::string TextAfter(const std::string& dom, const std::string& opening,
                             const std::string& closing) {
  const auto at = dom.find(opening);
  if (at == std::string::npos) return "<none>";
  const auto start = dom.find('>', at) + 1;
  std::string inner = dom.substr(start, dom.find(closing, start) - start);
  return Unescape(std::regex_replace(inner, std::regex("<[^>]*>"), ""));
}

}  // namespace report_test
