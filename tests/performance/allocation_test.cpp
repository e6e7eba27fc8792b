// The plugin takes no heap memory frame by frame: the game's frame must not wait on an
// allocator. Global operator new is replaced in this program and counts while the plugin's
// script runs, except while the simulated world answers a native (the world keeps records
// and may allocate; the game's own allocations are not the plugin's).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "sim/host/host.h"
#include "sim/host/plugin_loader.h"
#include "sim/scenario/camp_places.h"
#include "sim/world/world.h"

namespace {

bool counting = false;
long allocations = 0;

void* Allocate(std::size_t bytes, std::size_t alignment = 0) {
  if (counting) ++allocations;
  if (bytes == 0) bytes = 1;
  void* p = nullptr;
  if (alignment > alignof(std::max_align_t)) {
    p = std::aligned_alloc(alignment, (bytes + alignment - 1) / alignment * alignment);
  } else {
    p = std::malloc(bytes);
  }
  return p;
}

void* AllocateOrThrow(std::size_t bytes, std::size_t alignment = 0) {
  void* p = Allocate(bytes, alignment);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace

// Every replaceable form, so that no allocation of the plugin slips past the count.
void* operator new(std::size_t n) { return AllocateOrThrow(n); }
void* operator new[](std::size_t n) { return AllocateOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new(std::size_t n, std::align_val_t a) {
  return AllocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a) {
  return AllocateOrThrow(n, static_cast<std::size_t>(a));
}
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(n, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

// Counting stops while the world runs a native and resumes when the plugin has control again.
class UncountedWorld final : public sim::Game {
 public:
  explicit UncountedWorld(sim::World& world) : world_(world) {}
  void Invoke(sim::NativeId id, sim::NativeCall& call) override {
    const bool was = counting;
    counting = false;
    world_.Invoke(id, call);
    counting = was;
  }
  std::int32_t Clock() const override { return world_.Clock(); }

 private:
  sim::World& world_;
};

class CampRun {
 public:
  CampRun() : world_(Settings()), game_(world_), host_(game_) { sim::SetActiveHost(&host_); }
  ~CampRun() {
    library_.Unload();
    sim::SetActiveHost(nullptr);
  }

  // Counts what loading and the library's own start-up take.
  long Load() {
    const std::string path = CAMPFIRE_PLUGIN_PATH;
    counting = true;
    const long before = allocations;
    loaded_ = library_.Load(path, error_);
    counting = false;
    return allocations - before;
  }
  bool Ok() const { return loaded_ && !host_.Failed(); }
  std::string Error() const { return error_.empty() ? host_.Error() : error_; }

  // Plugin allocations over the frames that make up `ms` of game time.
  long RunFor(std::int32_t ms) {
    const long before = allocations;
    const std::int64_t end = world_.ElapsedMs() + ms;
    while (world_.ElapsedMs() < end && !host_.Failed()) {
      counting = true;
      host_.RunFrame(++frame_);
      counting = false;
      world_.AdvanceFrame();
    }
    return allocations - before;
  }

  long MoveTo(sim::Vec3 to, float unitsPerSecond) {
    long taken = 0;
    while (!world_.StepPlayerToward(to, unitsPerSecond) && !host_.Failed()) {
      taken += RunFor(1);
    }
    return taken;
  }

  sim::World& world() { return world_; }
  std::uint64_t Frames() const { return frame_; }

 private:
  static sim::WorldSettings Settings() {
    sim::WorldSettings settings;
    settings.playerStart = {-1625.0f, -1390.0f, 82.0f};
    return settings;
  }

  sim::World world_;
  UncountedWorld game_;
  sim::Host host_;
  sim::PluginLibrary library_;
  std::string error_;
  bool loaded_ = false;
  std::uint64_t frame_ = 0;
};

// The functions the library needs from outside, by their linker names.
std::vector<std::string> UndefinedSymbols(const std::string& library) {
  const std::string command = "nm -D --undefined-only --format=posix '" + library + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::vector<std::string> names;
  char line[1024];
  while (pipe && std::fgets(line, sizeof line, pipe.get())) {
    std::string name = line;
    names.push_back(name.substr(0, name.find_first_of(" @")));  // without the version
  }
  return names;
}

// The zero counts below would also hold for a plugin whose allocations went past the count;
// a plugin that links to no allocator at all, not even at load, has none to make.
TEST(Allocations, ThePluginLinksToNoAllocator) {
  const std::vector<std::string> needed = UndefinedSymbols(CAMPFIRE_PLUGIN_PATH);
  ASSERT_FALSE(needed.empty()) << "nm read nothing from " << CAMPFIRE_PLUGIN_PATH;
  EXPECT_NE(std::find(needed.begin(), needed.end(), "nativeCall"), needed.end());
  const std::set<std::string> allocators = {"malloc",        "calloc",         "realloc",
                                            "aligned_alloc", "posix_memalign", "memalign",
                                            "valloc",        "strdup",         "strndup"};
  for (const std::string& name : needed) {
    EXPECT_FALSE(allocators.contains(name)) << name;
    // operator new and new[], every form
    EXPECT_NE(name.rfind("_Znw", 0), 0u) << name;
    EXPECT_NE(name.rfind("_Zna", 0), 0u) << name;
  }
  CampRun run;
  EXPECT_EQ(run.Load(), 0) << "nothing at load either";
  ASSERT_TRUE(run.Ok()) << run.Error();
}

TEST(Allocations, NoneInThousandsOfFramesOfCampLife) {
  CampRun run;
  run.Load();
  ASSERT_TRUE(run.Ok()) << run.Error();
  // Everything is created in the first seconds; from then on the camp lives as usual.
  run.RunFor(5000);
  ASSERT_FALSE(run.world().EntitiesOfModel(sim::JoaatHash(sim::places::kWagonModel)).empty());
  const std::uint64_t settled = run.Frames();

  // Two minutes of routines: walks, scenarios, lines; companions on the move.
  EXPECT_EQ(run.RunFor(120'000), 0) << "while the companions go about their routines";

  // A conversation held: lock-on, prompts created, "Talk" held and its exchange spoken.
  run.world().LockOn(run.world().FindPedNamed("Charles"));
  EXPECT_EQ(run.RunFor(2000), 0) << "while the prompts are shown";
  const std::uint32_t talk = sim::JoaatHash("INPUT_CONTEXT_A");
  run.world().HoldControl(talk);
  long taken = run.RunFor(800);
  run.world().ReleaseControl(talk);
  taken += run.RunFor(20'000);
  EXPECT_EQ(taken, 0) << "while an exchange is spoken";
  bool exchanged = false;
  for (const sim::SpokenLine& line : run.world().Spoken())
    exchanged |= line.lineName == "GOING_WELL";
  EXPECT_TRUE(exchanged) << "the Talk exchange was not spoken";
  run.world().LockOn(0);

  // A remark spot, where the player's character speaks every frame.
  EXPECT_EQ(run.MoveTo({-1637.012f, -1383.266f, 83.686f}, 3.0f), 0);
  EXPECT_EQ(run.RunFor(3000), 0) << "while standing on a remark spot";
  EXPECT_GT(run.Frames() - settled, 4000u);
}

TEST(Allocations, NoneWhenTheCampIsLeftAndEnteredAgain) {
  CampRun run;
  run.Load();
  ASSERT_TRUE(run.Ok()) << run.Error();
  run.RunFor(5000);
  // Out beyond every far distance, everything removed, and back: the props' handles have
  // their fixed room, so placing the props again takes none.
  EXPECT_EQ(run.MoveTo({-1300.0f, -1700.0f, 80.0f}, 40.0f), 0);
  EXPECT_EQ(run.RunFor(2000), 0);
  EXPECT_EQ(run.MoveTo({-1625.0f, -1390.0f, 82.0f}, 40.0f), 0);
  EXPECT_EQ(run.RunFor(5000), 0);
  ASSERT_TRUE(run.Ok()) << run.Error();
  EXPECT_NE(run.world().FindPedNamed("Charles"), 0);
}

}  // namespace
