// Another script that shares the world with the plugin, as other mods and the game's own
// scripts do: it makes things of its own around the camp (peds of the companions' models, a
// wagon of the supply wagon's model, objects, prompts, blips) and removes them again, so
// that its handle numbers come and go among the plugin's.
#pragma once

#include <deque>

#include "sim/world/world.h"

namespace sim {

class OtherScript {
 public:
  explicit OtherScript(World& world) : world_(world) {}

  // Makes the next thing of its round, after removing its oldest thing once it holds as
  // many as it keeps.
  void Act();
  int Made() const { return made_; }

 private:
  World& world_;
  int turn_ = 0;
  int made_ = 0;
  std::deque<Handle> things_;
};

}  // namespace sim
