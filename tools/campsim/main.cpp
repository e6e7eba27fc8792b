#include <iostream>

#include "tools/campsim/campsim.h"

#ifdef _WIN32
#include <io.h>
#define CAMPSIM_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define CAMPSIM_ISATTY(fd) isatty(fd)
#endif

int main(int argc, char** argv) {
  campsim::CampsimSetup setup;
  setup.errIsTerminal = CAMPSIM_ISATTY(2) != 0;
  return campsim::RunCampsim(argc, argv, std::cout, std::cerr, setup);
}
