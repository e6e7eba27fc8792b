add_library(campfire_warnings INTERFACE)
target_compile_options(campfire_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                   -Wnon-virtual-dtor -Wold-style-cast)
if(CAMPFIRE_WERROR)
  target_compile_options(campfire_warnings INTERFACE -Werror)
endif()
# GCC 12 at -O3 (the bench preset) warns of overlapping copies inside std::string's own
# concatenation (GCC bug 105651), a false alarm in code that is not ours.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(campfire_warnings INTERFACE -Wno-restrict)
endif()

option(CAMPFIRE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(CAMPFIRE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
