#pragma once

// Comma-separated records as RFC 4180 has them: fields in double quotes may
// hold commas, line breaks and doubled quotes; records end in CR LF or LF.
// Strict: a quote inside an unquoted field, text after a closing quote or a
// quote left open at the end of the file makes that record bad, and reading
// goes on with the next line.

#include <cstddef>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ktr {

// A record longer than the reader takes; reading cannot go on, as the
// record may never end (a file of zeros).
struct CsvRecordTooLong : std::runtime_error {
  CsvRecordTooLong(std::size_t line, std::size_t most);
  std::size_t line;
};

// The input failed part-way (a disk error): what was read may not be all.
struct CsvReadFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct CsvRecord {
  std::vector<std::string> fields;
  std::size_t line = 0;  // where the record starts, from 1
  std::string problem;   // empty for a well-formed record
};

class CsvReader {
 public:
  // A record of more than `mostBytes` throws CsvRecordTooLong.
  explicit CsvReader(std::istream& in, std::size_t mostBytes = kMostRecordBytes)
      : in_(in), mostBytes_(mostBytes) {}

  static constexpr std::size_t kMostRecordBytes = std::size_t{1} << 20;

  // The next record, or nothing at the end of the input. A blank line is a
  // record with one empty field. A UTF-8 byte order mark before the first
  // record (spreadsheets write one) is skipped.
  std::optional<CsvRecord> next();
  // The same into `record`, whose storage is reused; false at the end of
  // the input, leaving `record` as it was. Either throws CsvReadFailed
  // when the input fails.
  bool next(CsvRecord& record);

  // Lines read so far.
  std::size_t line() const { return line_; }

 private:
  bool read(CsvRecord& record);
  void skipByteOrderMark();

  std::istream& in_;
  std::size_t mostBytes_;
  std::size_t line_ = 0;
};

// `text` appended to `line` as one field, quoted as csvLine quotes it.
void appendCsvField(std::string& line, std::string_view text);

// Fields joined by commas and ended with CR LF; a field that holds a comma,
// a quote or a line break is written in quotes, with quotes doubled.
std::string csvLine(const std::vector<std::string>& fields);

}  // namespace ktr
