#pragma once

// `ktr-calc batch`: rates every row of an equipment schedule (comma-separated,
// one case per row) to what typing its case into a freshly started program
// gives, and writes one result row per schedule row, in the same order.

#include <array>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/Csv.h"

namespace ktr {

// The columns a schedule may have, in the order the help lists them.
enum class ScheduleColumn : std::size_t {
  Tag,
  Title,
  Units,
  FlowBasis,
  Volume,
  ReturnVolume,
  OutdoorDryBulb,
  OutdoorMoisture,
  ReturnDryBulb,
  ReturnMoisture,
  MoistureKind,
  Elevation,
  OutdoorStatic,
  ReturnStatic,
  Wheel,
  Model,
  Standard,
  Zone,
  Hours8000,
  OutdoorAirPercent,
  Weather,
};
inline constexpr std::size_t kScheduleColumnCount =
    static_cast<std::size_t>(ScheduleColumn::Weather) + 1;

// The schedule's columns, as its first row names them.
class ScheduleColumns {
 public:
  // Throws UsageError naming unknown or repeated columns.
  explicit ScheduleColumns(const std::vector<std::string>& header);

  const std::vector<std::string>& names() const { return names_; }
  // The result file's first row: the schedule's columns, then the results.
  std::vector<std::string> resultHeader() const;
  // The schedule names a code check setting: its results get the verdicts.
  bool checksCode() const;
  // The schedule has a weather column: its results get the year's figures.
  bool namesWeather() const;
  bool names(ScheduleColumn column) const;

  // The ktr-calc actions that type this row's case and calculate it; throws
  // RowError naming the field when a value cannot be typed.
  std::vector<std::string> actions(const CsvRecord& row) const;

  // The row's value of a column without the blanks around it, empty when
  // the column is absent.
  std::string_view value(const CsvRecord& row, ScheduleColumn column) const;
  // The same as the schedule has it, blanks and all.
  std::string_view field(const CsvRecord& row, ScheduleColumn column) const;

 private:
  std::vector<std::string> names_;
  // Where each column is in a row; kAbsent for a column not named.
  static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);
  std::array<std::size_t, kScheduleColumnCount> at_;
};

// A schedule row that cannot be rated; its text goes into the messages.
struct RowError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct BatchOptions {
  std::optional<std::filesystem::path> catalog;
  // Where a relative weather file of the schedule is; empty: the current
  // folder.
  std::filesystem::path scheduleFolder;
  unsigned jobs = 0;  // cases rated side by side; 0: one per core
  // Set from outside (Ctrl+C): the run ends after the rows in hand.
  const std::atomic<bool>* stop = nullptr;
  // Called with the rows written so far after each block.
  std::function<void(std::size_t)> progress;
  // Every row typed into the program action by action, as the direct
  // rating of a row's case must match: for tests.
  bool typedRows = false;
};

struct ScheduleCount {
  std::size_t rows = 0;   // result rows written
  std::size_t rated = 0;  // of those, the ones whose case was calculated
  // Rows typed into the program because their case could not be rated
  // directly (see BatchOptions::typedRows).
  std::size_t typed = 0;
};

// The result lines a worker wrote for the rows first..end of a block.
struct ResultLines {
  std::string text;
  std::size_t first = 0;
  std::size_t end = 0;
  std::size_t rows = 0;   // lines in the text, from `first` on
  std::size_t rated = 0;  // of those, rows whose case was calculated
  std::size_t typed = 0;  // of those, rows typed into the program

  // Empty, for the rows from..to; the text keeps its room.
  void start(std::size_t from, std::size_t to);
};

// Writes the lines of a block's workers in the schedule's order, up to the
// first row a stop left unrated, and counts them; false when that left
// rows out.
bool writeInOrder(std::span<const ResultLines> lines, std::ostream& out, ScheduleCount& count);

// Rates the schedule in `in` into `out`; returns the rows written. Throws
// UsageError for a header the run cannot go on with, ui::StartupError
// when the catalog cannot be read and CsvRecordTooLong for a row beyond
// CsvReader's limit. Stops early when `out` fails.
ScheduleCount rateSchedule(std::istream& in, std::ostream& out, const BatchOptions& options);

// The command: `batch SCHEDULE.csv [-o RESULTS.csv] [--catalog PATH]
// [--jobs N]`, arguments after the word batch. Returns the exit status.
int runBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The batch part of ktr-calc --help.
std::string batchHelpText();

}  // namespace ktr
