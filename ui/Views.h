#pragma once

// The windows that draw rather than hold controls: the psychrometric chart,
// the model comparison, the annual energy and the code check. The desktop
// shows them; without a display they have no place (ktr-calc writes what
// they show with --chart, --compare, --annual and --code-check).

namespace ui {

class Views {
 public:
  virtual ~Views() = default;
  virtual void showChart() = 0;
  virtual void showComparison() = 0;
  virtual void showAnnual() = 0;
  virtual void showCodeCheck() = 0;
  // The case was replaced without a calculation (File Close): the views
  // shown follow it.
  virtual void caseReplaced() = 0;
};

// Views with no display: showing them does nothing.
inline Views& noViews() {
  struct NoViews final : Views {
    void showChart() override {}
    void showComparison() override {}
    void showAnnual() override {}
    void showCodeCheck() override {}
    void caseReplaced() override {}
  };
  static NoViews none;
  return none;
}

}  // namespace ui
