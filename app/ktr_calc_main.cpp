#include <iostream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"
#include "platform/NumberText.h"

int main(int argc, char** argv) {
  // Box text follows the user's number conventions; files keep the period.
  platform::setNumberLocale(platform::NumberLocale::fromEnvironment());
  const std::vector<std::string> args(argv + 1, argv + argc);
  return ktr::runKtrCalc(args, std::cout, std::cerr);
}
