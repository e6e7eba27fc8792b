// Hashes of every native the plugin calls, under the names used throughout the code.
#pragma once

#include "game/types.h"

namespace campfire::natives {

inline constexpr NativeHash PlayerPedId = 0x096275889B8E0EE0;
inline constexpr NativeHash PlayerId = 0x217E9DC48139933D;
inline constexpr NativeHash GetEntityCoords = 0xA86D5F069399F44D;
inline constexpr NativeHash GetDistanceBetweenCoords = 0x0BE7F4E3CDBAFB28;
inline constexpr NativeHash DoesEntityExist = 0xD42BD6EB2E0F1677;
inline constexpr NativeHash IsEntityAtCoord = 0x5E58342602E94718;
inline constexpr NativeHash IsPedInVehicle = 0xA3EE4A07279BB9DB;
inline constexpr NativeHash GetGameTimer = 0x4F67E8ECA7D3F667;
inline constexpr NativeHash GetRandomIntInRange = 0xD53343AA4FB7DD28;
inline constexpr NativeHash GetHashKey = 0xFD340785ADF8CFB7;
inline constexpr NativeHash GetEntityModel = 0xDA76A9F39210D365;
inline constexpr NativeHash IsEntityDead = 0x7D5B1F88E7504BBA;
inline constexpr NativeHash IsPedDeadOrDying = 0x3317DEDB88C95038;
inline constexpr NativeHash IsPlayerTargetingAnything = 0x4605C66E0F935F83;
inline constexpr NativeHash GetPlayerTargetEntity = 0xAE663DDD99C8A670;
inline constexpr NativeHash RequestModel = 0xFA28FE3A6246FC30;
inline constexpr NativeHash HasModelLoaded = 0x1283B8B89DD5D1B6;
inline constexpr NativeHash SetModelAsNoLongerNeeded = 0x4AD96EF928BD4F9A;
inline constexpr NativeHash CreatePed = 0xD49F9B0955C367DE;
inline constexpr NativeHash CreateVehicle = 0xAF35D0D2583051B0;
inline constexpr NativeHash CreateObject = 0x509D5878EB39E842;
inline constexpr NativeHash SetEntityRotation = 0x9CC8314DFEDE441E;
inline constexpr NativeHash DeleteEntity = 0x4CD38C78BD19A497;
inline constexpr NativeHash SetEntityAsMissionEntity = 0xDC19C288082E586E;
inline constexpr NativeHash IsEntityAMissionEntity = 0x138190F64DB4BBD1;
inline constexpr NativeHash DoesEntityBelongToThisScript = 0x622B1980CBE13332;
inline constexpr NativeHash DismissPed = 0x2595DD4236549CE3;
inline constexpr NativeHash RequestPropset = 0xF3DE57A46D5585E9;
inline constexpr NativeHash HasPropsetLoaded = 0x48A88FC684C55FDC;
inline constexpr NativeHash CreatePropset = 0x899C97A1CCE7D483;
inline constexpr NativeHash DoesPropSetExist = 0x7DDDCF815E650FF5;
inline constexpr NativeHash GetPropSetModel = 0xA6A9712955F53D9C;
inline constexpr NativeHash DeletePropSet = 0x58AC173A55D9D7B4;
inline constexpr NativeHash ReleasePropsetRequest = 0xB1964A83B345B4AB;
inline constexpr NativeHash AddPropsetToVehicle = 0xD80FAF919A2E56EA;
inline constexpr NativeHash SetPedPromptName = 0x4A48B6E03BABB4AC;
inline constexpr NativeHash RemoveAllPedWeapons = 0xF25DF915FA38C5F3;
inline constexpr NativeHash GiveWeaponToPed = 0x5E3BDDBCB83F3D84;
inline constexpr NativeHash RequestMetaPedOutfit = 0x13154A76CE0CF9AB;
inline constexpr NativeHash IsMetaPedOutfitRequestReady = 0x610438375E5D1801;
inline constexpr NativeHash ApplyPedMetaPedOutfit = 0x74F512E29CB717E2;
inline constexpr NativeHash ReleaseMetaPedOutfitRequest = 0x4592B8B9B0EF5F48;
inline constexpr NativeHash SetPedConfigFlag = 0x1913FE4CBF41C463;
inline constexpr NativeHash SetPedKeepTask = 0x971D38760FBC02EF;
inline constexpr NativeHash SetPedRelationshipGroupHash = 0xC80A74AC829DDD92;
inline constexpr NativeHash GetPedRelationshipGroupHash = 0x7DBDD04862D95F04;
inline constexpr NativeHash SetRelationshipBetweenGroups = 0xBF25EB89375A37AD;
inline constexpr NativeHash SetBlockingOfNonTemporaryEvents = 0x9F8AA94D6D97DBF4;
inline constexpr NativeHash TaskGoToCoord = 0x322BFDEA666E2B0E;
inline constexpr NativeHash TaskGoStraightToCoord = 0x17F58B88D085DBAC;
inline constexpr NativeHash TaskStartScenarioAtPosition = 0x4D1F61FC34AF3CD1;
inline constexpr NativeHash TaskWanderInArea = 0xE054346CA3A0F315;
inline constexpr NativeHash IsPedUsingAnyScenario = 0x57AB4A3080F85143;
inline constexpr NativeHash TaskTurnPedToFaceEntity = 0x69F4BE8C8CC4796C;
inline constexpr NativeHash PlayPedAmbientSpeechNative = 0x8E04FEDD28D42462;
inline constexpr NativeHash IsAmbientSpeechPlaying = 0x729072355FA39EC9;
inline constexpr NativeHash PromptRegisterBegin = 0x04F97DE45A519419;
inline constexpr NativeHash PromptGetGroupIdForTargetEntity = 0xB796970BD125FCE8;
inline constexpr NativeHash PromptSetGroup = 0x2F11D3A254169EA4;
inline constexpr NativeHash PromptSetOption = 0xF4A5C4509BF923B1;
inline constexpr NativeHash CreateVarString = 0xFA925AC00EB830B9;
inline constexpr NativeHash PromptSetText = 0x5DD02A8318420DD7;
inline constexpr NativeHash PromptSetControlAction = 0xB5352B7494A08258;
inline constexpr NativeHash PromptSetPriority = 0xCA24F528D0D16289;
inline constexpr NativeHash PromptSetHoldMode = 0x94073D5CA3F16B7B;
inline constexpr NativeHash PromptSetEnabled = 0x8A0FB4D03A630D21;
inline constexpr NativeHash PromptSetVisible = 0x71215ACCFDE075EE;
inline constexpr NativeHash PromptRegisterEnd = 0xF7AA2696A22AD8B9;
inline constexpr NativeHash PromptIsValid = 0x347469FBDD1589A9;
inline constexpr NativeHash PromptDelete = 0x00EDE88D4D13CF59;
inline constexpr NativeHash PromptHasHoldModeCompleted = 0xE0F65F0640EF0617;
inline constexpr NativeHash BlipAddForEntity = 0x23F74C2FDA6E7C61;
inline constexpr NativeHash SetBlipSprite = 0x74F74D3207ED525C;
inline constexpr NativeHash SetBlipName = 0x0A062D6D7C0B2C2C;
inline constexpr NativeHash DoesBlipExist = 0xCD82FA174080B3B1;
inline constexpr NativeHash RemoveBlip = 0xF2C3C9DA47AAA54A;
inline constexpr NativeHash ShowObjectiveText = 0xFA233F8FE190514C;
inline constexpr NativeHash ObjectiveCueA = 0xE9990552DEC71600;
inline constexpr NativeHash ObjectiveCueB = 0x5DE61C90DDECFA2D;
inline constexpr NativeHash ObjectiveCueC = 0xF6CEF599FC470B33;

}  // namespace campfire::natives
