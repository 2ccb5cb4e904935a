#pragma once

// View > Annual Energy: the case over a weather year under an operation the
// engineer sets, as monthly bars, a table and a summary; redone after every
// calculation and whenever an input changes.

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMainWindow>
#include <QSpinBox>
#include <QTableWidget>

#include "app/AnnualChart.h"
#include "app/Program.h"
#include "engine/Annual.h"
#include "engine/Weather.h"
#include "ui/main/AnnualRecord.h"

namespace ktr {

// The window's object name, and the name of its screenshot.
inline const QString kAnnualWindowName = QStringLiteral("annual");

class AnnualWindow final : public QMainWindow {
 public:
  AnnualWindow(Program& program, QWidget* parent);

  // Rates the case as it is now over the year.
  void refresh();

  QSize sizeHint() const override { return {1240, 880}; }

 private:
  class Chart;

  QWidget* inputs();
  void openWeather();
  void exportPdf();
  // Rates the year over the weather at `path` (empty: the built-in year).
  void chooseWeather(const QString& path);
  // The weather at `path`; false, after saying why, when it cannot be read.
  bool loadWeather(const std::string& path);
  void setOperation(const ModCalc::OperationModel& op);
  ModCalc::OperationModel operation() const;
  void show(const ModCalc::AnnualResult& year, const ModCalc::OperationModel& op);

  Program& program_;
  ModCalc::Weather weather_;
  std::string weatherPath_;
  // The project's annual record as this window last took or gave it.
  std::optional<ui::AnnualRecord> seen_;
  bool synced_ = false;
  // The year shown, and the operation it was rated under.
  ModCalc::AnnualResult year_;
  ModCalc::OperationModel op_;
  QString weatherName_;
  AnnualBars bars_;
  bool si_ = false;

  QLabel* weatherLabel_ = nullptr;
  QCheckBox* appendToReport_ = nullptr;
  QSpinBox* from_ = nullptr;
  QSpinBox* to_ = nullptr;
  QCheckBox* weekends_ = nullptr;
  QCheckBox* caseReturn_ = nullptr;
  QDoubleSpinBox* coolingT_ = nullptr;
  QDoubleSpinBox* coolingRh_ = nullptr;
  QDoubleSpinBox* heatingT_ = nullptr;
  QDoubleSpinBox* heatingRh_ = nullptr;
  QCheckBox* economizer_ = nullptr;
  QDoubleSpinBox* economizerLow_ = nullptr;
  QDoubleSpinBox* economizerHigh_ = nullptr;
  QComboBox* frost_ = nullptr;
  QDoubleSpinBox* preheat_ = nullptr;
  QDoubleSpinBox* fanEfficiency_ = nullptr;
  QDoubleSpinBox* motorEfficiency_ = nullptr;
  QDoubleSpinBox* electricity_ = nullptr;
  QDoubleSpinBox* fuel_ = nullptr;
  QDoubleSpinBox* cop_ = nullptr;
  QDoubleSpinBox* heatingEfficiency_ = nullptr;
  QDoubleSpinBox* firstCost_ = nullptr;
  QLabel* summary_ = nullptr;
  Chart* chart_ = nullptr;
  QTableWidget* table_ = nullptr;
};

}  // namespace ktr
