#include <windows.h>

#include <string>

#include "sim/host/host_link.h"
#include "sim/host/plugin_loader.h"

namespace sim {

namespace {

std::wstring Widen(const std::string& text) {
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string LastError() {
  const DWORD code = GetLastError();
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : " (" + message + ")");
}

// The host DLL beside this program, as ScriptHookRDR2.dll sits beside the game's
// executable: never one found elsewhere on the search path.
std::wstring HostDllPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + kHostDllName;
}

// Loads the host once for the life of the process, as the game keeps its host, and
// connects it to the active host.
bool ConnectHost(std::string& error) {
  static HMODULE host = LoadLibraryW(HostDllPath().c_str());
  if (host == nullptr) {
    error = "cannot load the stand-in ScriptHookRDR2.dll beside this program: " + LastError();
    return false;
  }
  auto connect = reinterpret_cast<ConnectHostFunction>(
      reinterpret_cast<void*>(GetProcAddress(host, kConnectHostExport)));
  if (connect == nullptr) {
    error = "the ScriptHookRDR2.dll beside this program is not the stand-in one";
    return false;
  }
  connect(&ActiveHostLink());
  return true;
}

}  // namespace

PluginLibrary::~PluginLibrary() { Unload(); }

bool PluginLibrary::Load(const std::string& path, std::string& error) {
  Unload();
  // The host must be in memory and connected before the plugin's imports bind to it.
  if (!ConnectHost(error)) return false;
  // The loader calls the plugin's DllMain with the attach reason, under its own rules.
  handle_ = LoadLibraryW(Widen(path).c_str());
  if (handle_ == nullptr) {
    error = "cannot load plugin " + path + ": " + LastError();
    return false;
  }
  return true;
}

// The loader sends thread notifications itself; there is no way to send one by hand.
int PluginLibrary::NotifyThread(bool) { return 1; }

// Nor the detach of a process that is ending: only the loader makes it, at exit.
bool PluginLibrary::DetachAtProcessExit() { return false; }

void PluginLibrary::Unload() {
  if (handle_ == nullptr) return;
  // The loader calls the plugin's DllMain with the detach reason before unmapping it.
  FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

}  // namespace sim
