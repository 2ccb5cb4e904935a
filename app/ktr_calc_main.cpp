#include <iostream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return ktr::runKtrCalc(args, std::cout, std::cerr);
}
