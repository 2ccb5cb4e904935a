#pragma once

#include <string_view>

namespace platform {

// Opens the program's help on one of its pages.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // `page` is a page of the help ("index.html" its contents), with an
  // optional "#anchor".
  virtual void showPage(std::string_view helpFile, std::string_view page) = 0;
};

}  // namespace platform
