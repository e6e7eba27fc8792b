set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
# The win32 thread model: the posix one links a threads library into every program,
# and into the plugin a TLS callback, a vectored exception handler and thread-control
# imports that the game would carry for nothing.
find_program(CMAKE_CXX_COMPILER NAMES x86_64-w64-mingw32-g++-win32 REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
