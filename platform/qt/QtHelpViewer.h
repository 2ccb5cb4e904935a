#pragma once

#include <QString>
#include <memory>

#include "platform/HelpViewer.h"

class QWidget;

namespace platform::qt {

// The program's help as HTML pages in a window: a contents pane (the links of
// the help's index page) beside the page shown. A help file "NAME.hlp" is
// the folder ROOT/NAME holding index.html and the pages it links to.
class QtHelpViewer final : public HelpViewer {
 public:
  explicit QtHelpViewer(QString root);
  ~QtHelpViewer() override;

  void showPage(std::string_view helpFile, std::string_view page) override;

  // The help window, once help has been shown.
  QWidget* window() const;

 private:
  class Window;
  QString root_;
  std::unique_ptr<Window> window_;
};

}  // namespace platform::qt
