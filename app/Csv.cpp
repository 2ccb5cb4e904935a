#include "app/Csv.h"

#include <algorithm>

#include "platform/FileRead.h"

namespace ktr {

CsvRecordTooLong::CsvRecordTooLong(std::size_t line, std::size_t most)
    : std::runtime_error("line " + std::to_string(line) + " is longer than " +
                         platform::sizeText(most)),
      line(line) {}

std::optional<CsvRecord> CsvReader::next() {
  CsvRecord record;
  if (!next(record)) {
    return std::nullopt;
  }
  return record;
}

bool CsvReader::next(CsvRecord& record) {
  try {
    return read(record);
  } catch (const std::ios_base::failure& failure) {
    // A file's buffer throws where the stream itself would only have
    // marked the end: a schedule cut short must not pass for a whole one.
    throw CsvReadFailed(failure.code() ? failure.code().message() : failure.what());
  }
}

bool CsvReader::read(CsvRecord& record) {
  if (line_ == 0) {
    skipByteOrderMark();
  }
  // The stream's buffer directly: a character at a time through the stream
  // itself costs more than the rest of reading a row.
  std::streambuf& in = *in_.rdbuf();
  constexpr int kEnd = std::char_traits<char>::eof();
  if (in.sgetc() == kEnd) {
    return false;
  }
  record.line = line_ + 1;
  record.problem.clear();
  // The record's strings are written over, so reading row after row into
  // one record allocates next to nothing.
  std::size_t fields = 0;
  const auto startField = [&record, &fields]() -> std::string& {
    if (fields == record.fields.size()) {
      record.fields.emplace_back();
    }
    std::string& field = record.fields[fields++];
    field.clear();
    return field;
  };
  std::string* field = &startField();
  enum class At { FieldStart, Unquoted, Quoted, AfterQuote } at = At::FieldStart;
  const auto fail = [&](std::string problem) {
    if (record.problem.empty()) {
      record.problem = std::move(problem);
    }
  };
  for (std::size_t bytes = 1;; ++bytes) {
    if (bytes > mostBytes_) {
      throw CsvRecordTooLong(record.line, mostBytes_);
    }
    const int c = in.sbumpc();
    if (c == kEnd) {
      if (at == At::Quoted) {
        fail("a quoted field is not closed before the end of the file");
      }
      ++line_;
      break;
    }
    const char ch = static_cast<char>(c);
    if (at == At::Quoted) {
      if (ch == '"') {
        at = At::AfterQuote;
      } else {
        line_ += ch == '\n' ? 1 : 0;
        *field += ch;
      }
      continue;
    }
    if (ch == '\r' && in.sgetc() == '\n') {
      continue;
    }
    if (ch == '\n') {
      ++line_;
      break;
    }
    if (ch == ',') {
      field = &startField();
      at = At::FieldStart;
    } else if (ch == '"') {
      if (at == At::FieldStart) {
        at = At::Quoted;
      } else if (at == At::AfterQuote) {
        *field += '"';
        at = At::Quoted;
      } else {
        fail("a quote inside a field that does not start with one");
      }
    } else if (at == At::AfterQuote) {
      fail("text after the closing quote of a field");
    } else {
      *field += ch;
      at = At::Unquoted;
    }
  }
  record.fields.resize(fields);
  return true;
}

void CsvReader::skipByteOrderMark() {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  std::streambuf& in = *in_.rdbuf();
  for (const char c : kMark) {
    if (in.sgetc() != static_cast<unsigned char>(c)) {
      return;
    }
    in.sbumpc();
  }
}

namespace {

bool needsQuotes(std::string_view text) {
  // One pass: find_first_of scans the text once per character sought.
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

}  // namespace

void appendCsvField(std::string& line, std::string_view text) {
  if (!needsQuotes(text)) {
    line += text;
    return;
  }
  line += '"';
  for (const char c : text) {
    line += c;
    if (c == '"') {
      line += '"';
    }
  }
  line += '"';
}

std::string csvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      line += ',';
    }
    appendCsvField(line, fields[i]);
  }
  line += "\r\n";
  return line;
}

}  // namespace ktr
