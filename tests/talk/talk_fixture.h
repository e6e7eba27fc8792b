// A camp with Charles, Sadie and Karen standing, the player beside them, and readers for
// what the conversations did: the prompts in a ped's group and the calls of one exchange.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sim/scenario/simulation.h"
#include "talk/exchange_tables.h"

namespace campfire_test {

// By Charles's home: within reach of Charles, Sadie and Karen, and out of reach of every
// spot where the player makes a remark of his own.
inline constexpr sim::Vec3 kByCharlesHome{-1600.0f, -1440.0f, 81.5f};

inline constexpr std::int32_t kHoldMs = 800;  // a little over the prompts' 700 ms
inline constexpr std::int32_t kLongestExchangeMs = 180'000;

inline const char* const kSpeechParams = "SPEECH_PARAMS_BEAT_SPOKEN_CLEAR";

inline void PrintTo(const ConversingCompanion* companion, std::ostream* os) {
  *os << companion->name;
}

// The calls of one exchange: from the prompt's disabling to its enabling again.
struct ExchangeWindow {
  std::size_t begin = 0;  // PromptSetEnabled(prompt, 0)
  std::size_t end = 0;    // PromptSetEnabled(prompt, 1)
};

// How one line went, as read from the calls.
struct PlayedLine {
  std::size_t speech = 0;  // index of the speech request
  std::int32_t variation = 0;
  int waits = 0;
  std::int32_t silentAt = -1;  // clock at which the speaker was found silent; -1 if not asked
};

class TalkScene {
 public:
  explicit TalkScene(sim::WorldSettings world = {}) : sim_(Options(world)) {}

  sim::Simulation& sim() { return sim_; }
  sim::World& world() { return sim_.world(); }
  const sim::Recorder& recorder() { return sim_.recorder(); }

  // Stands the player by the camp and runs until the three companions exist, every
  // creation around has finished (so that each frame from then on is one pass of the loop)
  // and the first lines of their routines have been spoken.
  void ArriveAtCamp() {
    sim_.Teleport(kByCharlesHome);
    for (int i = 0; i < 2000 && !sim_.Failed() && !AllStanding(); ++i) sim_.Frame();
    ASSERT_TRUE(AllStanding()) << sim_.Error();
    sim_.RunFor(3000);
    for (int i = 0; i < 2000 && !sim_.Failed() && AnyoneSpeaking(); ++i) sim_.Frame();
    ASSERT_FALSE(sim_.Failed()) << sim_.Error();
    ASSERT_FALSE(AnyoneSpeaking());
  }

  sim::Handle PedOf(const ConversingCompanion& companion) {
    return world().FindPedNamed(companion.name);
  }

  // Locks on to the companion and runs one frame.
  void LockOn(const ConversingCompanion& companion) {
    ASSERT_TRUE(sim_.Target(companion.name)) << companion.name << " is not standing";
    sim_.Frame();
  }

  // Live prompts in the entity's prompt group, in registration order.
  std::vector<sim::Handle> PromptsOf(sim::Handle entity) {
    std::optional<std::int32_t> group;
    for (const sim::Event* e : recorder().Calls(sim::NativeId::PromptGetGroupIdForTargetEntity)) {
      if (e->args[0].i == entity) group = e->ResultInt();
    }
    std::vector<sim::Handle> prompts;
    if (!group) return prompts;
    for (sim::Handle h : world().LivePrompts()) {
      if (world().Prompt(h)->group == *group) prompts.push_back(h);
    }
    return prompts;
  }

  std::vector<std::string> LabelsOf(const std::vector<sim::Handle>& prompts) {
    std::vector<std::string> labels;
    for (sim::Handle h : prompts) labels.push_back(world().Prompt(h)->label);
    return labels;
  }

  sim::Handle PromptLabelled(sim::Handle entity, std::string_view label) {
    for (sim::Handle h : PromptsOf(entity)) {
      if (world().Prompt(h)->label == label) return h;
    }
    return 0;
  }

  // Holds the control for kHoldMs; the exchange has started by the time it returns.
  void HoldPrompt(const PromptKind& prompt) { sim_.Hold(prompt.control, kHoldMs); }

  // Runs until the prompt, disabled after `from`, is enabled again.
  std::optional<ExchangeWindow> FinishExchange(sim::Handle prompt, std::size_t from) {
    const std::int32_t start = sim_.Clock();
    while (!sim_.Failed()) {
      if (auto window = FindWindow(prompt, from)) return window;
      if (sim_.Clock() - start > kLongestExchangeMs) break;
      sim_.Frame();
    }
    return std::nullopt;
  }

  // Holds the prompt's control and runs until its exchange is over.
  std::optional<ExchangeWindow> Play(const ConversingCompanion& companion,
                                     const PromptKind& prompt) {
    const sim::Handle handle = PromptLabelled(PedOf(companion), prompt.label);
    if (handle == 0) {
      ADD_FAILURE() << companion.name << " shows no \"" << prompt.label << "\"";
      return std::nullopt;
    }
    const std::size_t from = recorder().Size();
    HoldPrompt(prompt);
    return FinishExchange(handle, from);
  }

  // Index of the prompt's disabling, the start of its exchange, from `from` on.
  std::optional<std::size_t> FindStart(sim::Handle prompt, std::size_t from) {
    const auto& events = recorder().Events();
    for (std::size_t i = from; i < events.size(); ++i) {
      const sim::Event& e = events[i];
      if (!e.isWait && e.id == sim::NativeId::PromptSetEnabled && e.args[0].i == prompt &&
          e.args[1].i == 0) {
        return i;
      }
    }
    return std::nullopt;
  }

  // Runs until the prompt's exchange has started, for at most `maxFrames`.
  std::optional<std::size_t> RunUntilStarted(sim::Handle prompt, std::size_t from,
                                             int maxFrames = 100) {
    for (int i = 0; i < maxFrames && !sim_.Failed(); ++i) {
      if (auto start = FindStart(prompt, from)) return start;
      sim_.Frame();
    }
    return FindStart(prompt, from);
  }

  std::optional<ExchangeWindow> FindWindow(sim::Handle prompt, std::size_t from) {
    const auto& events = recorder().Events();
    std::optional<std::size_t> begin;
    for (std::size_t i = from; i < events.size(); ++i) {
      const sim::Event& e = events[i];
      if (e.isWait || e.id != sim::NativeId::PromptSetEnabled || e.args[0].i != prompt) continue;
      if (!begin && e.args[1].i == 0) begin = i;
      if (begin && e.args[1].i == 1) return ExchangeWindow{*begin, i};
    }
    return std::nullopt;
  }

  // Frames in [from, to) in which the script ran.
  std::set<std::uint64_t> FramesRun(std::size_t from, std::size_t to) {
    std::set<std::uint64_t> frames;
    const auto& events = recorder().Events();
    for (std::size_t i = from; i < to && i < events.size(); ++i) frames.insert(events[i].frame);
    return frames;
  }

 private:
  static sim::SimulationOptions Options(sim::WorldSettings world) {
    sim::SimulationOptions options;
    options.world = world;
    return options;
  }

  bool AllStanding() {
    for (const ConversingCompanion* c : kConversingCompanions) {
      if (PedOf(*c) == 0) return false;
    }
    return true;
  }

  bool AnyoneSpeaking() {
    if (world().IsSpeaking(world().PlayerPed())) return true;
    for (const ConversingCompanion* c : kConversingCompanions) {
      if (world().IsSpeaking(PedOf(*c))) return true;
    }
    return false;
  }

  sim::Simulation sim_;
};

// Reads an exchange's calls one by one against its table: every call in the window must be
// the next one the table asks for, so anything else the plugin did in between shows up.
// Lines named in `silent` are expected never to start.
inline std::vector<PlayedLine> ExpectExchange(const sim::Recorder& recorder,
                                              const ExchangeWindow& window,
                                              const ExpectedBlock& block, sim::Handle companion,
                                              sim::Handle player,
                                              const std::set<std::string>& silent = {}) {
  const auto& events = recorder.Events();
  std::vector<PlayedLine> played;
  std::size_t at = window.begin + 1;
  std::string where;
  auto next = [&](std::string_view what) -> const sim::Event* {
    if (at >= window.end) {
      ADD_FAILURE() << block.prompt.label << ": the exchange ended before " << what << where;
      return nullptr;
    }
    return &events[at++];
  };
  auto isCall = [&](const sim::Event* e, sim::NativeId id, std::string_view what) {
    if (e == nullptr) return false;
    if (e->isWait || e->id != id) {
      ADD_FAILURE() << block.prompt.label << ": expected " << what << where << ", got " << e->Name()
                    << (e->isWait ? " " + std::to_string(e->waitMs) : "");
      return false;
    }
    return true;
  };
  auto expectBlocking = [&](bool on) {
    const sim::Event* e = next("SetBlockingOfNonTemporaryEvents");
    if (!isCall(e, sim::NativeId::SetBlockingOfNonTemporaryEvents,
                "SetBlockingOfNonTemporaryEvents")) {
      return false;
    }
    EXPECT_EQ(e->args[0].i, companion) << block.prompt.label;
    EXPECT_EQ(e->args[1].i, on ? 1 : 0) << block.prompt.label;
    return true;
  };

  // After a wait, before the next line and before the companion's events are given back:
  // the prompts the game may have dropped are asked after (while the lines go on), then the
  // companion is proved to be the plugin's still.
  auto expectProof = [&](bool prompts) {
    while (prompts && at < window.end && !events[at].isWait &&
           events[at].id == sim::NativeId::PromptIsValid) {
      ++at;
    }
    for (sim::NativeId id : {sim::NativeId::DoesEntityExist, sim::NativeId::GetEntityModel,
                             sim::NativeId::DoesEntityBelongToThisScript}) {
      const sim::Event* e = next(sim::SignatureOf(id).name);
      if (!isCall(e, id, sim::SignatureOf(id).name)) return false;
      EXPECT_EQ(e->args[0].i, companion) << block.prompt.label << where;
    }
    return true;
  };

  if (block.blocksEvents && !expectBlocking(true)) return played;

  for (std::size_t n = 0; n < block.exchange.size(); ++n) {
    const ExpectedLine& line = block.exchange[n];
    const sim::Handle speaker = line.speaker == kPlayer ? player : companion;
    where = " at line " + std::to_string(n + 1) + " (" + line.line + ")";
    PlayedLine record;
    if (!played.empty() && played.back().waits > 0 && !expectProof(true)) return played;

    std::int32_t variation = line.variation.lo;
    if (line.variation.Drawn()) {
      const sim::Event* draw = next("the draw");
      if (!isCall(draw, sim::NativeId::GetRandomIntInRange, "GetRandomIntInRange")) return played;
      EXPECT_EQ(draw->args[0].i, line.variation.lo) << where;
      EXPECT_EQ(draw->args[1].i, line.variation.hi) << where;
      variation = draw->ResultInt();
    }
    const sim::Event* hash = next("the speech parameters' hash");
    if (!isCall(hash, sim::NativeId::GetHashKey, "GetHashKey")) return played;
    EXPECT_EQ(hash->args[0].s, kSpeechParams) << where;

    const sim::Event* speech = next("the speech request");
    if (!isCall(speech, sim::NativeId::PlayPedAmbientSpeechNative, "PlayPedAmbientSpeechNative")) {
      return played;
    }
    const sim::ArgValue& request = speech->args[1];
    EXPECT_EQ(speech->args[0].i, speaker) << where;
    EXPECT_EQ(request.lineName, line.line) << where;
    EXPECT_EQ(request.secondName, "") << where;
    EXPECT_EQ(request.speech.variation, variation) << where;
    EXPECT_EQ(request.speech.paramsHash, sim::JoaatHash(kSpeechParams)) << where;
    EXPECT_EQ(request.speech.reserved, 0) << where;
    EXPECT_EQ(request.speech.option1, 1) << where;
    EXPECT_EQ(request.speech.option2, 1) << where;
    EXPECT_EQ(request.speech.option3, 1) << where;
    record.speech = at - 1;
    record.variation = request.speech.variation;

    if (line.pollMs != kNotWaited) {
      for (;;) {
        const sim::Event* ask = next("the speech query");
        if (!isCall(ask, sim::NativeId::IsAmbientSpeechPlaying, "IsAmbientSpeechPlaying")) {
          return played;
        }
        EXPECT_EQ(ask->args[0].i, speaker) << where;
        if (!ask->ResultBool()) {
          record.silentAt = ask->clock;
          break;
        }
        // The clock, which bounds the wait, is read after every answer that the line plays.
        if (!isCall(next("the clock"), sim::NativeId::GetGameTimer, "GetGameTimer")) {
          return played;
        }
        const sim::Event* wait = next("a wait");
        if (wait == nullptr) return played;
        if (!wait->isWait) {
          ADD_FAILURE() << block.prompt.label << ": expected a wait" << where << ", got "
                        << wait->Name();
          return played;
        }
        EXPECT_EQ(wait->waitMs, static_cast<std::uint32_t>(line.pollMs)) << where;
        ++record.waits;
        // After every wait the player's ped is read again: the game may have given a new one.
        if (!isCall(next("the player's ped"), sim::NativeId::PlayerPedId, "PlayerPedId")) {
          return played;
        }
      }
      if (silent.contains(line.line)) {
        EXPECT_EQ(record.waits, 0) << "a line that never starts is not waited for" << where;
      } else {
        EXPECT_GT(record.waits, 0) << "the speaker was never heard" << where;
      }
    }
    played.push_back(record);
  }
  where.clear();
  if (!played.empty() && played.back().waits > 0 && !expectProof(false)) return played;
  if (!expectBlocking(false)) return played;
  // The prompt is asked after before it is given back.
  if (!isCall(next("PromptIsValid"), sim::NativeId::PromptIsValid, "PromptIsValid")) {
    return played;
  }
  EXPECT_EQ(at, window.end) << block.prompt.label << ": calls after the last line";
  return played;
}

}  // namespace campfire_test
