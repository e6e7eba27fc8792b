// A copy of a loaded library's writable memory (its globals, as static initialisation left
// them), put back before each input, so that every input meets the plugin as if it had just
// been loaded, without unloading it: the fuzzer keeps pointers into its coverage counters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace campfire_fuzz {

class PluginImage {
 public:
  // False, with the reason, if the library's segments cannot be found.
  bool Capture(void* libraryHandle, std::string& error);
  void Restore() const;
  std::size_t Bytes() const;

 private:
  struct Piece {
    std::uint8_t* at;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Piece> pieces_;
};

}  // namespace campfire_fuzz
