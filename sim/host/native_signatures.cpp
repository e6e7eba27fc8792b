// The game's own record of its natives. Rows are listed in the groups the natives belong
// to (world, creation, ped setup, tasks, speech, prompts, blips) and placed by id at
// compile time, so the listing can be read against the natives' descriptions group by group.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "sim/host/native_signature.h"

namespace sim {
namespace {

// One argument as the table lists it: how it is pushed and, for a handle, what it may name.
struct Arg {
  ArgKind kind;
  HandleUse use{};
  constexpr Arg(ArgKind k) : kind(k) {}  // NOLINT: the table lists plain kinds as they are
  constexpr Arg(ArgKind k, HandleUse u) : kind(k), use(u) {}
};

using enum ArgKind;
using R = ResultKind;

// Handles by value, by the kinds their declarations take; the native only asks about them.
constexpr Arg Ped{Handle, {kPedHandle}};
constexpr Arg Vehicle{Handle, {kVehicleHandle}};
constexpr Arg AnyEntity{Handle, {kEntityHandle}};
constexpr Arg PropSet{Handle, {kPropSetHandle}};
constexpr Arg Blip{Handle, {kBlipHandle}};
constexpr Arg Prompt{Handle, {kPromptHandle}};

// The native changes or removes what the handle names, acting through the number.
constexpr Arg Changes(Arg a) { return Arg{a.kind, {a.use.kinds, true, true}}; }
// The native acts through the number without changing what it names (a blip put on it, a
// ped told to face it).
constexpr Arg Uses(Arg a) { return Arg{a.kind, {a.use.kinds, a.use.changes, true}}; }
// The handle is passed by the address of the caller's variable.
constexpr Arg ByAddress(Arg a) { return Arg{HandleRef, a.use}; }

constexpr NativeSignature Native(NativeId id, const char* name, std::uint64_t hash,
                                 std::initializer_list<Arg> args, ResultKind result,
                                 Proof proof = Proof::None) {
  NativeSignature sig{id, name,   hash, static_cast<std::uint8_t>(args.size()),
                      {}, result, {},   proof};
  std::size_t i = 0;
  for (const Arg& a : args) {
    sig.args[i] = a.kind;
    sig.handles[i] = a.use;
    ++i;
  }
  return sig;
}

// The name is spelled once, so it cannot drift from the id.
#define ID(name) NativeId::name, #name

constexpr auto kListed = std::to_array<NativeSignature>({
    // Player, world and time.
    Native(ID(PlayerPedId), 0x096275889B8E0EE0, {}, R::Handle, Proof::Read),
    Native(ID(PlayerId), 0x217E9DC48139933D, {}, R::Int),
    Native(ID(GetEntityCoords), 0xA86D5F069399F44D, {AnyEntity, Int, Int}, R::Vector),
    Native(ID(GetDistanceBetweenCoords), 0x0BE7F4E3CDBAFB28,
           {Float, Float, Float, Float, Float, Float, Int}, R::Float),
    Native(ID(DoesEntityExist), 0xD42BD6EB2E0F1677, {AnyEntity}, R::Bool, Proof::Exists),
    Native(ID(IsEntityAtCoord), 0x5E58342602E94718,
           {AnyEntity, Float, Float, Float, Float, Float, Float, Int, Int, Int}, R::Bool),
    Native(ID(IsPedInVehicle), 0xA3EE4A07279BB9DB, {Ped, Vehicle, Int}, R::Bool),
    Native(ID(GetGameTimer), 0x4F67E8ECA7D3F667, {}, R::Int),
    Native(ID(GetRandomIntInRange), 0xD53343AA4FB7DD28, {Int, Int}, R::Int),
    Native(ID(GetHashKey), 0xFD340785ADF8CFB7, {String}, R::Hash),
    Native(ID(GetEntityModel), 0xDA76A9F39210D365, {AnyEntity}, R::Hash, Proof::Model),
    Native(ID(IsEntityDead), 0x7D5B1F88E7504BBA, {AnyEntity}, R::Bool),
    Native(ID(IsPedDeadOrDying), 0x3317DEDB88C95038, {Ped, Int}, R::Bool),
    Native(ID(IsPlayerTargetingAnything), 0x4605C66E0F935F83, {Int}, R::Bool),
    Native(ID(GetPlayerTargetEntity), 0xAE663DDD99C8A670, {Int, HandleRef}, R::None, Proof::Read),

    // Models, creation and removal.
    Native(ID(RequestModel), 0xFA28FE3A6246FC30, {Hash, Int}, R::None),
    Native(ID(HasModelLoaded), 0x1283B8B89DD5D1B6, {Hash}, R::Bool),
    Native(ID(SetModelAsNoLongerNeeded), 0x4AD96EF928BD4F9A, {Hash}, R::None),
    Native(ID(CreatePed), 0xD49F9B0955C367DE,
           {Hash, Float, Float, Float, Float, Int, Int, Int, Int}, R::Handle, Proof::Made),
    Native(ID(CreateVehicle), 0xAF35D0D2583051B0,
           {Hash, Float, Float, Float, Float, Int, Int, Int, Int}, R::Handle, Proof::Made),
    Native(ID(CreateObject), 0x509D5878EB39E842,
           {Hash, Float, Float, Float, Int, Int, Int, Int, Int}, R::Handle, Proof::Made),
    Native(ID(SetEntityRotation), 0x9CC8314DFEDE441E,
           {Changes(AnyEntity), Float, Float, Float, Int, Int}, R::None),
    Native(ID(DeleteEntity), 0x4CD38C78BD19A497, {ByAddress(Changes(AnyEntity))}, R::None),
    Native(ID(DismissPed), 0x2595DD4236549CE3, {ByAddress(Changes(Ped))}, R::None),
    // Mission entities: what a script made, or claimed, is its own until released; only
    // its own is removed by DeleteEntity. Claiming takes two booleans (true, true before a
    // removal).
    Native(ID(SetEntityAsMissionEntity), 0xDC19C288082E586E, {Changes(AnyEntity), Bool, Bool},
           R::None),
    Native(ID(IsEntityAMissionEntity), 0x138190F64DB4BBD1, {AnyEntity}, R::Bool, Proof::Exists),
    Native(ID(DoesEntityBelongToThisScript), 0x622B1980CBE13332, {AnyEntity, Bool}, R::Bool,
           Proof::Exists),
    Native(ID(DeleteVehicle), 0x629BFA74418D6239, {ByAddress(Changes(Vehicle))}, R::None),
    Native(ID(RequestPropset), 0xF3DE57A46D5585E9, {Hash}, R::None),
    Native(ID(HasPropsetLoaded), 0x48A88FC684C55FDC, {Hash}, R::Bool),
    // Ends a prop set's request, as SetModelAsNoLongerNeeded does a model's.
    Native(ID(ReleasePropset), 0xB1964A83B345B4AB, {Hash}, R::Bool),
    Native(ID(CreatePropset), 0x899C97A1CCE7D483,
           {Hash, Float, Float, Float, Int, Float, Float, Int, Int}, R::Handle, Proof::Made),
    Native(ID(AddPropsetToVehicle), 0xD80FAF919A2E56EA, {Changes(Vehicle), Hash}, R::None),
    // Prop sets have natives of their own; the entity natives do not know their handles.
    Native(ID(DoesPropSetExist), 0x7DDDCF815E650FF5, {PropSet}, R::Bool, Proof::Exists),
    // The handle's value, not its address, and two booleans.
    Native(ID(DeletePropSet), 0x58AC173A55D9D7B4, {Changes(PropSet), Bool, Bool}, R::None),
    Native(ID(GetPropSetModel), 0xA6A9712955F53D9C, {PropSet}, R::Hash, Proof::Model),

    // Ped setup.
    Native(ID(SetPedPromptName), 0x4A48B6E03BABB4AC, {Changes(Ped), String}, R::None),
    Native(ID(RemoveAllPedWeapons), 0xF25DF915FA38C5F3, {Changes(Ped), Int, Int}, R::None),
    // ped, weapon, ammo count, 1, 1, 1, 1, 1.0, 1.0, ammo type, 0, 0, 1
    Native(ID(GiveWeaponToPed), 0x5E3BDDBCB83F3D84,
           {Changes(Ped), Hash, Int, Int, Int, Int, Int, Float, Float, Hash, Int, Int, Int},
           R::None),
    Native(ID(RequestMetaPedOutfit), 0x13154A76CE0CF9AB, {Hash, Hash}, R::Int),
    Native(ID(IsMetaPedOutfitRequestReady), 0x610438375E5D1801, {Int}, R::Bool),
    Native(ID(ApplyPedMetaPedOutfit), 0x74F512E29CB717E2, {Int, Changes(Ped), Int, Int}, R::None),
    Native(ID(ReleaseMetaPedOutfitRequest), 0x4592B8B9B0EF5F48, {Int}, R::None),
    Native(ID(SetPedConfigFlag), 0x1913FE4CBF41C463, {Changes(Ped), Int, Int}, R::None),
    Native(ID(SetPedKeepTask), 0x971D38760FBC02EF, {Changes(Ped), Int}, R::None),
    Native(ID(SetPedRelationshipGroupHash), 0xC80A74AC829DDD92, {Changes(Ped), Hash}, R::None),
    Native(ID(GetPedRelationshipGroupHash), 0x7DBDD04862D95F04, {Ped}, R::Hash),
    Native(ID(SetRelationshipBetweenGroups), 0xBF25EB89375A37AD, {Int, Hash, Hash}, R::None),
    Native(ID(SetBlockingOfNonTemporaryEvents), 0x9F8AA94D6D97DBF4, {Changes(Ped), Bool}, R::None),

    // Tasks.
    // ped, x, y, z, speed, time-out ms, 1, a, b, c
    Native(ID(TaskGoToCoord), 0x322BFDEA666E2B0E,
           {Changes(Ped), Float, Float, Float, Float, Int, Int, Int, Int, Int}, R::None),
    // ped, x, y, z, 1.0, -1, heading, 0, 0, 0, then a float, an entity to keep clear of
    // and a float that the game reads whether or not a caller means them
    Native(ID(TaskGoStraightToCoord), 0x17F58B88D085DBAC,
           {Changes(Ped), Float, Float, Float, Float, Int, Float, Int, Int, Int, Float, AnyEntity,
            Float},
           R::None),
    // ped, scenario, x, y, z, heading, duration, 1, then a boolean, a text (0 for none), a
    // float and a boolean
    Native(
        ID(TaskStartScenarioAtPosition), 0x4D1F61FC34AF3CD1,
        {Changes(Ped), Hash, Float, Float, Float, Float, Int, Int, Bool, TextOrNull, Float, Bool},
        R::None),
    // ped, x, y, z, 50.0, 1.0, 2.0, 0
    Native(ID(TaskWanderInArea), 0xE054346CA3A0F315,
           {Changes(Ped), Float, Float, Float, Float, Float, Float, Int}, R::None),
    Native(ID(IsPedUsingAnyScenario), 0x57AB4A3080F85143, {Ped}, R::Bool),
    Native(ID(TaskTurnPedToFaceEntity), 0x69F4BE8C8CC4796C,
           {Changes(Ped), Uses(AnyEntity), Int, Int, Int, Int}, R::None),

    // Speech.
    Native(ID(PlayPedAmbientSpeechNative), 0x8E04FEDD28D42462, {Changes(Ped), Speech}, R::None),
    Native(ID(IsAmbientSpeechPlaying), 0x729072355FA39EC9, {Ped}, R::Bool),

    // Prompts.
    Native(ID(PromptRegisterBegin), 0x04F97DE45A519419, {}, R::Handle, Proof::Made),
    Native(ID(PromptGetGroupIdForTargetEntity), 0xB796970BD125FCE8, {AnyEntity}, R::Int),
    Native(ID(PromptSetGroup), 0x2F11D3A254169EA4, {Changes(Prompt), Int, Int}, R::None),
    Native(ID(PromptSetOption), 0xF4A5C4509BF923B1, {Changes(Prompt), Int}, R::None),
    // 10, "LITERAL_STRING", the literal. The native takes as many arguments as its format
    // asks for; this format asks for three.
    Native(ID(CreateVarString), 0xFA925AC00EB830B9, {Int, String, String}, R::Text),
    Native(ID(PromptSetText), 0x5DD02A8318420DD7, {Changes(Prompt), Text}, R::None),
    Native(ID(PromptSetControlAction), 0xB5352B7494A08258, {Changes(Prompt), Hash}, R::None),
    Native(ID(PromptSetPriority), 0xCA24F528D0D16289, {Changes(Prompt), Int}, R::None),
    Native(ID(PromptSetHoldMode), 0x94073D5CA3F16B7B, {Changes(Prompt), Int}, R::None),
    Native(ID(PromptSetEnabled), 0x8A0FB4D03A630D21, {Changes(Prompt), Bool}, R::None),
    Native(ID(PromptSetVisible), 0x71215ACCFDE075EE, {Changes(Prompt), Int}, R::None),
    Native(ID(PromptRegisterEnd), 0xF7AA2696A22AD8B9, {Changes(Prompt)}, R::None),
    Native(ID(PromptIsValid), 0x347469FBDD1589A9, {Prompt}, R::Bool, Proof::Exists),
    Native(ID(PromptDelete), 0x00EDE88D4D13CF59, {Changes(Prompt)}, R::None),
    Native(ID(PromptHasHoldModeCompleted), 0xE0F65F0640EF0617, {Prompt}, R::Bool),

    // Map blip and objective.
    Native(ID(BlipAddForEntity), 0x23F74C2FDA6E7C61, {Hash, Uses(AnyEntity)}, R::Handle,
           Proof::Made),
    Native(ID(SetBlipSprite), 0x74F74D3207ED525C, {Changes(Blip), Hash, Int}, R::None),
    Native(ID(SetBlipName), 0x0A062D6D7C0B2C2C, {Changes(Blip), String}, R::None),
    Native(ID(DoesBlipExist), 0xCD82FA174080B3B1, {Blip}, R::Bool, Proof::Exists),
    Native(ID(RemoveBlip), 0xF2C3C9DA47AAA54A, {ByAddress(Changes(Blip))}, R::None),
    Native(ID(ShowObjectiveText), 0xFA233F8FE190514C, {String}, R::None),
    Native(ID(ObjectiveCueA), 0xE9990552DEC71600, {}, R::None),
    Native(ID(ObjectiveCueB), 0x5DE61C90DDECFA2D, {Int, Int}, R::None),
    Native(ID(ObjectiveCueC), 0xF6CEF599FC470B33, {Int, Int, Int}, R::None),
});

#undef ID

static_assert(kListed.size() == kNativeCount, "one row per native");

constexpr bool EachNativeListedOnce() {
  std::array<bool, kNativeCount> seen{};
  for (const NativeSignature& sig : kListed) {
    auto i = static_cast<std::size_t>(sig.id);
    if (i >= seen.size() || seen[i]) return false;
    seen[i] = true;
  }
  return true;
}
static_assert(EachNativeListedOnce(), "a native is listed twice");

constexpr std::array<NativeSignature, kNativeCount> IndexById() {
  std::array<NativeSignature, kNativeCount> byId{};
  for (const NativeSignature& sig : kListed) byId[static_cast<std::size_t>(sig.id)] = sig;
  return byId;
}
constexpr auto kById = IndexById();

// Every invocation looks its hash up, so the lookup goes straight to a slot of an
// open-addressed table built at compile time: 1.2 probes on average, at most four.
constexpr std::size_t kSlots = 256;  // a power of two, well above the number of natives
constexpr std::uint8_t kEmpty = 0xFF;
static_assert(kNativeCount < kSlots / 2 && kNativeCount < kEmpty);

constexpr std::size_t HomeSlot(std::uint64_t hash) {
  return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> 56) & (kSlots - 1);
}

constexpr std::array<std::uint8_t, kSlots> BuildHashTable() {
  std::array<std::uint8_t, kSlots> table{};
  for (auto& slot : table) slot = kEmpty;
  for (const NativeSignature& sig : kById) {
    std::size_t i = HomeSlot(sig.hash);
    while (table[i] != kEmpty) i = (i + 1) & (kSlots - 1);
    table[i] = static_cast<std::uint8_t>(sig.id);
  }
  return table;
}
constexpr auto kByHash = BuildHashTable();

constexpr bool HashesDistinct() {
  for (std::size_t i = 0; i < kById.size(); ++i) {
    for (std::size_t j = i + 1; j < kById.size(); ++j) {
      if (kById[i].hash == kById[j].hash) return false;
    }
  }
  return true;
}
static_assert(HashesDistinct(), "two natives share a hash");

}  // namespace

std::span<const NativeSignature> NativeSignatures() { return kById; }

const NativeSignature& SignatureOf(NativeId id) { return kById[static_cast<std::size_t>(id)]; }

const char* HandleKindWords(std::uint8_t kinds) {
  switch (kinds) {
    case kPedHandle:
      return "a ped";
    case kVehicleHandle:
      return "a vehicle";
    case kObjectHandle:
      return "an object";
    case kEntityHandle:
      return "an entity";
    case kPropSetHandle:
      return "a prop set";
    case kBlipHandle:
      return "a blip";
    case kPromptHandle:
      return "a prompt";
    default:
      return "a handle";
  }
}

const NativeSignature* FindSignature(std::uint64_t hash) {
  for (std::size_t i = HomeSlot(hash); kByHash[i] != kEmpty; i = (i + 1) & (kSlots - 1)) {
    const NativeSignature& sig = kById[kByHash[i]];
    if (sig.hash == hash) return &sig;
  }
  return nullptr;
}

}  // namespace sim
