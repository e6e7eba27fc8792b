#include <iostream>

#include "tools/campsim/campsim.h"

int main(int argc, char** argv) { return campsim::RunCampsim(argc, argv, std::cout, std::cerr); }
