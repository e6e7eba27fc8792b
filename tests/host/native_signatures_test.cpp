// The simulated game's own table of natives: complete, unambiguous, and right about the
// argument lists that are easiest to get wrong.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "sim/host/native_signature.h"

namespace sim {
namespace {

std::string_view KindName(ArgKind kind) {
  switch (kind) {
    case ArgKind::Int:
      return "Int";
    case ArgKind::Bool:
      return "Bool";
    case ArgKind::Float:
      return "Float";
    case ArgKind::Hash:
      return "Hash";
    case ArgKind::Handle:
      return "Handle";
    case ArgKind::String:
      return "String";
    case ArgKind::TextOrNull:
      return "TextOrNull";
    case ArgKind::HandleRef:
      return "HandleRef";
    case ArgKind::Speech:
      return "Speech";
    case ArgKind::Text:
      return "Text";
  }
  return "?";
}

// "Handle Float Int", so a failure shows the whole list as pushed.
std::string Pushed(NativeId id) {
  const NativeSignature& sig = SignatureOf(id);
  std::string out;
  for (int i = 0; i < sig.argc; ++i) {
    if (i > 0) out += ' ';
    out += KindName(sig.args[static_cast<std::size_t>(i)]);
  }
  return out;
}

TEST(NativeSignatures, EveryNativeHasItsOwnRow) {
  auto rows = NativeSignatures();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kNativeCount));
  for (int i = 0; i < kNativeCount; ++i) {
    auto id = static_cast<NativeId>(i);
    EXPECT_EQ(rows[static_cast<std::size_t>(i)].id, id) << "row " << i;
    EXPECT_EQ(&SignatureOf(id), &rows[static_cast<std::size_t>(i)]) << "row " << i;
    ASSERT_NE(rows[static_cast<std::size_t>(i)].name, nullptr) << "row " << i;
    EXPECT_LE(rows[static_cast<std::size_t>(i)].argc, kMaxArgs) << "row " << i;
  }
  EXPECT_STREQ(SignatureOf(NativeId::AddPropsetToVehicle).name, "AddPropsetToVehicle");
  EXPECT_STREQ(SignatureOf(NativeId::TaskWanderInArea).name, "TaskWanderInArea");
}

TEST(NativeSignatures, NamesAndHashesAreUnique) {
  std::set<std::string_view> names;
  std::set<std::uint64_t> hashes;
  for (const NativeSignature& sig : NativeSignatures()) {
    EXPECT_TRUE(names.insert(sig.name).second) << "name " << sig.name;
    EXPECT_TRUE(hashes.insert(sig.hash).second) << "hash of " << sig.name;
  }
}

TEST(NativeSignatures, FindSignatureFindsEveryRowByHash) {
  for (const NativeSignature& sig : NativeSignatures()) {
    EXPECT_EQ(FindSignature(sig.hash), &sig) << sig.name;
  }
  const NativeSignature* createPed = FindSignature(0xD49F9B0955C367DE);
  ASSERT_NE(createPed, nullptr);
  EXPECT_EQ(createPed->id, NativeId::CreatePed);
  // A hash with a leading zero digit must not be lost in the lookup.
  const NativeSignature* promptDelete = FindSignature(0x00EDE88D4D13CF59);
  ASSERT_NE(promptDelete, nullptr);
  EXPECT_EQ(promptDelete->id, NativeId::PromptDelete);
}

TEST(NativeSignatures, FindSignatureRejectsUnknownHashes) {
  EXPECT_EQ(FindSignature(0), nullptr);
  EXPECT_EQ(FindSignature(~std::uint64_t{0}), nullptr);
  // One bit off, and only the low half of a real hash, as a truncating caller would send.
  EXPECT_EQ(FindSignature(0xD49F9B0955C367DF), nullptr);
  EXPECT_EQ(FindSignature(0x55C367DE), nullptr);
}

TEST(NativeSignatures, ArgumentListsThatAreEasyToGetWrong) {
  // Ammo count third, two floats in places 8 and 9, the ammo type's hash in place 10.
  EXPECT_EQ(Pushed(NativeId::GiveWeaponToPed),
            "Handle Hash Int Int Int Int Int Float Float Hash Int Int Int");
  // The fixed 1.0 and -1 come before the caller's float.
  EXPECT_EQ(Pushed(NativeId::TaskGoStraightToCoord),
            "Handle Float Float Float Float Int Float Int Int Int Float Handle Float");
  EXPECT_EQ(Pushed(NativeId::TaskGoToCoord), "Handle Float Float Float Float Int Int Int Int Int");
  EXPECT_EQ(Pushed(NativeId::TaskWanderInArea), "Handle Float Float Float Float Float Float Int");
  EXPECT_EQ(Pushed(NativeId::TaskStartScenarioAtPosition),
            "Handle Hash Float Float Float Float Int Int Bool TextOrNull Float Bool");
  // No heading, unlike the two creators reached through the generic creation call.
  EXPECT_EQ(Pushed(NativeId::CreateObject), "Hash Float Float Float Int Int Int Int Int");
  EXPECT_EQ(Pushed(NativeId::CreatePed), "Hash Float Float Float Float Int Int Int Int");
  EXPECT_EQ(Pushed(NativeId::CreateVehicle), Pushed(NativeId::CreatePed));
  EXPECT_EQ(Pushed(NativeId::CreatePropset), "Hash Float Float Float Int Float Float Int Int");
  EXPECT_EQ(Pushed(NativeId::IsEntityAtCoord),
            "Handle Float Float Float Float Float Float Int Int Int");
  EXPECT_EQ(Pushed(NativeId::CreateVarString), "Int String String");
  EXPECT_EQ(Pushed(NativeId::SetRelationshipBetweenGroups), "Int Hash Hash");
  EXPECT_EQ(Pushed(NativeId::ApplyPedMetaPedOutfit), "Int Handle Int Int");
  EXPECT_EQ(Pushed(NativeId::BlipAddForEntity), "Hash Handle");
  EXPECT_EQ(Pushed(NativeId::PromptSetText), "Handle Text");
  EXPECT_EQ(Pushed(NativeId::PlayPedAmbientSpeechNative), "Handle Speech");
  EXPECT_EQ(Pushed(NativeId::GetPlayerTargetEntity), "Int HandleRef");
}

TEST(NativeSignatures, RemovalsTakeTheAddressOfTheHandle) {
  for (NativeId id : {NativeId::DeleteEntity, NativeId::DismissPed, NativeId::DeleteVehicle,
                      NativeId::RemoveBlip}) {
    EXPECT_EQ(Pushed(id), "HandleRef") << SignatureOf(id).name;
  }
}

TEST(NativeSignatures, ResultsThatAreReadInTheirOwnForm) {
  EXPECT_EQ(SignatureOf(NativeId::GetEntityCoords).result, ResultKind::Vector);
  EXPECT_EQ(SignatureOf(NativeId::GetDistanceBetweenCoords).result, ResultKind::Float);
  EXPECT_EQ(SignatureOf(NativeId::CreateVarString).result, ResultKind::Text);
  EXPECT_EQ(SignatureOf(NativeId::RequestMetaPedOutfit).result, ResultKind::Int);
  EXPECT_EQ(SignatureOf(NativeId::GetPedRelationshipGroupHash).result, ResultKind::Hash);
  EXPECT_EQ(SignatureOf(NativeId::PromptRegisterBegin).result, ResultKind::Handle);
  EXPECT_EQ(SignatureOf(NativeId::GetPlayerTargetEntity).result, ResultKind::None);
}

}  // namespace
}  // namespace sim
