#include "ui/Windows.h"
#include "ui/main/RatingConditions.h"
#include "ui/main/frmWheel.h"

// The commands beyond the one-wheel answer: the standard rating conditions,
// the chart, the comparison and the year.

namespace ui {

void frmWheel::mnuEditRatingSummer_Click() {
  applyRatingConditions(w_, RatingSeason::Summer);
}

void frmWheel::mnuEditRatingWinter_Click() {
  applyRatingConditions(w_, RatingSeason::Winter);
}

void frmWheel::mnuViewChart_Click() {
  if (calculateForOutput()) {
    ports().views.showChart();
  }
}

void frmWheel::mnuViewCompare_Click() {
  if (calculateForOutput()) {
    ports().views.showComparison();
  }
}

void frmWheel::mnuViewAnnual_Click() {
  if (calculateForOutput()) {
    ports().views.showAnnual();
  }
}

void frmWheel::mnuViewCodeCheck_Click() {
  if (calculateForOutput()) {
    ports().views.showCodeCheck();
  }
}

}  // namespace ui
