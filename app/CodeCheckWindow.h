#pragma once

// View > Code Check: what the energy code asks of the system (standard,
// climate zone, operating hours, outdoor air, design conditions, and for the
// EU rules the fans and filters), and the verdicts with the figures behind
// them, checked again after every change and every calculation.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <array>
#include <optional>
#include <string>
#include <variant>

#include "app/Program.h"
#include "engine/ClimateZone.h"

namespace ktr {

// The window's object name, and the name of its screenshot.
inline const QString kCodeCheckWindowName = QStringLiteral("codecheck");

class CodeCheckWindow final : public QMainWindow {
 public:
  CodeCheckWindow(Program& program, QWidget* parent);

  // Checks the case as it is now against the program's code check inputs.
  void refresh();

 protected:
  bool event(QEvent* event) override;

 private:
  // A typed number and the field's name for the message when it has none.
  struct NumberBox {
    QLineEdit* edit;
    const char* name;
  };

  // The program's, made with the defaults when first needed.
  ModCalc::CodeCheckInputs& inputs();
  QLineEdit* numberEdit(double value);
  void showInputs();
  // The boxes as inputs; a box without a number names itself in the problem
  // line and the program's inputs stay as they were.
  std::optional<ModCalc::CodeCheckInputs> readInputs();
  void inputsChanged();
  void enableForCode();
  bool si() const;
  // The zone the annual record's weather (or the built-in year) suggests,
  // read again only when that weather changes.
  void showSuggestion();
  void useSuggestion();

  Program& program_;
  QComboBox* standard_;
  QComboBox* zone_;
  QPushButton* useSuggested_;
  QLabel* suggested_;
  // The weather the suggestion was made from, and the suggestion or why
  // there is none.
  std::optional<std::string> suggestedFrom_;
  std::variant<ModCalc::ZoneSuggestion, std::string> suggestion_{std::string()};
  QComboBox* hours_;
  QLineEdit* outdoorAir_;
  // Cooling then heating: outdoor dry and wet bulb, return dry and wet bulb.
  std::array<QLineEdit*, 8> design_{};
  QLineEdit* fanEfficiency_;
  QComboBox* filters_;
  QLabel* problem_;
  QLabel* verdicts_;
  QLabel* verdict_;
  // What the boxes show; the program's inputs differ after a project opens,
  // and the units after a change of units.
  ModCalc::CodeCheckInputs shown_;
  bool shownSI_ = false;
  std::array<QString, 8> shownDesign_;
  std::array<QLabel*, 4> units_{};
  bool sized_ = false;
};

}  // namespace ktr
