#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"
#include "platform/TextEncoding.h"

int main(int argc, char** argv) {
  // Box text follows the user's number conventions; files keep the period.
  platform::setNumberLocale(platform::NumberLocale::fromEnvironment());
  // A title typed in a Latin-1 terminal is still the engineer's text.
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.push_back(platform::toUtf8(argv[i]));
  }
  // Standard output through a buffer that keeps why a write failed, so
  // results lost to a full disk fail the run with the reason.
  platform::DescriptorStreamBuf standardOutput(STDOUT_FILENO);
  std::ostream out(&standardOutput);
  return ktr::runKtrCalc(args, out, std::cerr);
}
