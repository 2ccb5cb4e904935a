#pragma once

// Comma-separated records as RFC 4180 has them: fields in double quotes may
// hold commas, line breaks and doubled quotes; records end in CR LF or LF.
// Strict: a quote inside an unquoted field, text after a closing quote or a
// quote left open at the end of the file makes that record bad, and reading
// goes on with the next line.

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ktr {

struct CsvRecord {
  std::vector<std::string> fields;
  std::size_t line = 0;  // where the record starts, from 1
  std::string problem;   // empty for a well-formed record
};

class CsvReader {
 public:
  explicit CsvReader(std::istream& in) : in_(in) {}

  // The next record, or nothing at the end of the input. A blank line is a
  // record with one empty field. A UTF-8 byte order mark before the first
  // record (spreadsheets write one) is skipped.
  std::optional<CsvRecord> next();

  // Lines read so far.
  std::size_t line() const { return line_; }

 private:
  void skipByteOrderMark();

  std::istream& in_;
  std::size_t line_ = 0;
};

// Fields joined by commas and ended with CR LF; a field that holds a comma,
// a quote or a line break is written in quotes, with quotes doubled.
std::string csvLine(const std::vector<std::string>& fields);

}  // namespace ktr
