add_library(campfire_warnings INTERFACE)
target_compile_options(campfire_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                   -Wnon-virtual-dtor -Wold-style-cast)
if(CAMPFIRE_WERROR)
  target_compile_options(campfire_warnings INTERFACE -Werror)
endif()

option(CAMPFIRE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(CAMPFIRE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
