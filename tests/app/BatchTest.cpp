#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <future>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "KtrCalcFixture.h"
#include "app/Batch.h"
#include "app/Csv.h"
#include "app/KtrCalc.h"
#include "app/UsageError.h"

namespace {

using ktr::CsvReader;
using ktr::CsvRecord;

// Read as batch reads a schedule: every record into the one before, so the
// tables below also catch a field or problem left over from a longer or bad
// record.
std::vector<CsvRecord> records(const std::string& text) {
  std::istringstream in(text);
  CsvReader reader(in);
  std::vector<CsvRecord> all;
  for (CsvRecord record; reader.next(record);) {
    all.push_back(record);
  }
  return all;
}

TEST(Csv, ReadsQuotedFieldsAsRfc4180HasThem) {
  const struct {
    const char* text;
    std::vector<std::vector<std::string>> fields;
    std::vector<std::size_t> lines;
  } rows[] = {
      {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
      {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
      {"\"x, y\",z\n", {{"x, y", "z"}}, {1}},
      {"\"two\r\nlines\",z\nnext\n", {{"two\r\nlines", "z"}, {"next"}}, {1, 3}},
      {"\"say \"\"hi\"\"\",\"\"\n", {{"say \"hi\"", ""}}, {1}},
      {"a,,\n\n", {{"a", "", ""}, {""}}, {1, 2}},
      {"\"a long first field\",b\nc\n", {{"a long first field", "b"}, {"c"}}, {1, 2}},
      {"\xEF\xBB\xBFtag,\xEF\xBB\xBF\n", {{"tag", "\xEF\xBB\xBF"}}, {1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const auto read = records(row.text);
    ASSERT_EQ(read.size(), row.fields.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
      EXPECT_EQ(read[i].fields, row.fields[i]);
      EXPECT_EQ(read[i].line, row.lines[i]);
      EXPECT_EQ(read[i].problem, "");
    }
  }
}

TEST(Csv, MalformedRecordIsReportedAndReadingGoesOn) {
  const struct {
    const char* text;
    const char* problem;
  } rows[] = {
      {"ab\"c,d\nok\n", "a quote inside a field that does not start with one"},
      {"\"ab\"c,d\nok\n", "text after the closing quote of a field"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const auto read = records(row.text);
    ASSERT_EQ(read.size(), 2U);
    EXPECT_EQ(read[0].problem, row.problem);
    EXPECT_EQ(read[1].fields, std::vector<std::string>{"ok"});
    EXPECT_EQ(read[1].problem, "");
  }
  const auto open = records("a\n\"never closed,\nb\n");
  ASSERT_EQ(open.size(), 2U);
  EXPECT_EQ(open[1].problem, "a quoted field is not closed before the end of the file");
}

// Serves `text`, then fails as a file's buffer does on a disk error.
class FailingBuffer : public std::streambuf {
 public:
  explicit FailingBuffer(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }

 protected:
  int_type underflow() override {
    throw std::ios_base::failure("underflow", std::error_code(EIO, std::generic_category()));
  }

 private:
  std::string text_;
};

TEST(Csv, AnInputThatFailsIsNoEndOfFile) {
  // Records read before the failure are whole; the failure is never taken
  // for the end of the schedule, wherever it comes.
  const struct {
    const char* text;
    std::size_t wholeRecords;
  } inputs[] = {{"", 0}, {"a,b\n", 1}, {"a,b\nc,", 1}, {"a,\"quoted\n", 0}};
  for (const auto& input : inputs) {
    SCOPED_TRACE(input.text);
    FailingBuffer buffer(input.text);
    std::istream in(&buffer);
    CsvReader reader(in);
    CsvRecord record;
    for (std::size_t i = 0; i < input.wholeRecords; ++i) {
      ASSERT_TRUE(reader.next(record));
    }
    try {
      reader.next(record);
      ADD_FAILURE() << "no failure told";
    } catch (const ktr::CsvReadFailed& failure) {
      EXPECT_EQ(std::string(failure.what()), std::generic_category().message(EIO));
    }
  }
}

TEST(Csv, WrittenLinesReadBackAsTheSameFields) {
  const std::vector<std::string> fields{"plain", "com,ma", "quo\"te", "line\r\nbreak", ""};
  const auto read = records(ktr::csvLine(fields) + ktr::csvLine({"x"}));
  ASSERT_EQ(read.size(), 2U);
  EXPECT_EQ(read[0].fields, fields);
  EXPECT_EQ(ktr::csvLine(fields), "plain,\"com,ma\",\"quo\"\"te\",\"line\r\nbreak\",\r\n");
}

// The schedule rated in the process; its result rows as fields.
std::vector<CsvRecord> rate(const std::string& schedule, unsigned jobs = 1) {
  std::istringstream in(schedule);
  std::ostringstream out;
  ktr::BatchOptions options;
  options.catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
  options.jobs = jobs;
  ktr::rateSchedule(in, out, options);
  return records(out.str());
}

std::string field(const CsvRecord& header, const CsvRecord& row, const std::string& column) {
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    if (header.fields[i] == column) {
      return row.fields.at(i);
    }
  }
  ADD_FAILURE() << "no column " << column;
  return {};
}

const std::string kAllColumns =
    "tag,title,units,flow_basis,volume,return_volume,outdoor_db,outdoor_moisture,return_db,"
    "return_moisture,moisture_kind,elevation,outdoor_static,return_static,wheel,model\n";

TEST(Batch, BadRowsAreReportedInTheirMessagesAndTheOthersAreRated) {
  const std::string schedule =
      kAllColumns +
      "good,\"Lobby, east\",ip,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,total,\n"
      "nan,x,ip,outdoor,2O00,2000,95,75,75,65,wet_bulb,0,2,0,total,\n"
      "model,x,ip,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,total,KW999\n"
      "small,x,ip,outdoor,60000,60000,95,75,75,65,wet_bulb,0,2,0,total,KW24-4\n"
      "units,x,metric,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,total,\n"
      "\n"
      "long,x,ip,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,total,,1\n"
      "quoted,\"two\nlines, \"\"quoted\"\"\",ip,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,,\n"
      "stray,a\"b,ip,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,total,\n"
      "hot,x,ip,outdoor,2000,2000,500,75,75,65,wet_bulb,0,2,0,total,\n";
  const auto rated = rate(schedule);
  ASSERT_EQ(rated.size(), 11U);
  const CsvRecord& header = rated[0];
  const struct {
    std::string tag;
    std::string model;
    std::string messages;
  } rows[] = {
      {"good", "KW28-4", ""},
      {"nan", "", "Error: line 3: volume: '2O00' is not a number"},
      {"model", "", "Error: line 4: model: 'KW999' is not in the catalog"},
      {"small", "",
       "Error: line 5: model: 'KW24-4' is not offered for this volume; the list offers "
       "KW150-10"},
      {"units", "", "Error: line 6: units: 'metric' is none of ip, si"},
      {"", "", "Error: line 7: the row is empty"},
      {"long", "", "Error: line 8: the row has 17 fields, the first row names 16 columns"},
      {"quoted", "KW28-4", ""},
      {"stray", "", "Error: line 11: a quote inside a field that does not start with one"},
      {"hot", "", "Error: Enter a number from -60 to 160 °F for the outdoor air dry bulb."},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].tag);
    const CsvRecord& row = rated[i + 1];
    ASSERT_EQ(row.fields.size(), header.fields.size());
    EXPECT_EQ(field(header, row, "tag"), rows[i].tag);
    EXPECT_EQ(field(header, row, "model_selected"), rows[i].model);
    EXPECT_EQ(field(header, row, "messages"), rows[i].messages);
    if (rows[i].model.empty()) {
      // A case that was not rated, or that the calculation stopped, has no
      // results, only its error.
      EXPECT_EQ(field(header, row, "supply_db"), "");
    }
  }
  EXPECT_EQ(field(header, rated[8], "title"), "two\nlines, \"quoted\"");
  EXPECT_EQ(field(header, rated[1], "supply_db"), "82.8186");
}

TEST(Batch, UnknownOrRepeatedColumnsStopTheRunBeforeAnyRow) {
  const struct {
    const char* header;
    const char* message;
  } rows[] = {
      {"tag,volum,cfm\n", "unknown columns 'volum', 'cfm' in the schedule's first row"},
      {"tag,volume,tag\n", "the schedule names the column 'tag' twice"},
      {"", "the schedule is empty: its first row must name the columns"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.header);
    try {
      rate(row.header);
      ADD_FAILURE() << "no error";
    } catch (const ktr::UsageError& error) {
      EXPECT_EQ(std::string(error.what()), row.message);
    }
  }
}

// A varied schedule: both units, every flow basis and moisture kind, both
// wheels, picked and selected models, warnings.
const std::string kVaried =
    kAllColumns +
    "1,a,ip,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,total,\n"
    "2,b,ip,supply,12000,11000,90,70,72,55,dew_point,5000,1.5,0.5,total,\n"
    "3,c,ip,outdoor_actual,800,900,20,10,70,45,rh,1000,2,0,sensible,\n"
    "4,d,ip,supply_actual,25000,25000,-10,5,70,30,humidity_ratio,0,3,1,total,\n"
    "5,e,si,outdoor,3400,3400,35,24,24,18,wet_bulb,300,500,0,total,\n"
    "6,f,si,supply_actual,10000,9000,-5,80,22,40,rh,0,400,100,sensible,\n"
    "7,g,ip,outdoor,2000,2000,95,75,75,65,wet_bulb,0,2,0,total,KW60-4\n"
    "8,h,ip,outdoor,60000,60000,95,75,75,65,wet_bulb,0,2,0,total,\n";

TEST(Batch, EveryRowEqualsTheSameCaseRunThroughKtrCalc) {
  const auto rated = rate(kVaried);
  const auto schedule = records(kVaried);
  const ktr::ScheduleColumns columns(schedule[0].fields);
  ASSERT_EQ(rated.size(), schedule.size());
  for (std::size_t i = 1; i < schedule.size(); ++i) {
    SCOPED_TRACE(schedule[i].fields[0]);
    std::vector<std::string> args{"--catalog", KTR_SOURCE_DIR "/resources/ktrmodel6.csv"};
    const auto actions = columns.actions(schedule[i]);
    args.insert(args.end(), actions.begin(), actions.end());
    args.emplace_back("--json");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(ktr::runKtrCalc(args, out, err), 0) << err.str();
    const auto json = nlohmann::json::parse(out.str());
    const auto& s = json["state"];
    const auto number = [&](const char* column) {
      return std::stod(field(rated[0], rated[i], column));
    };
    const auto near = [](double a, double b) { return std::abs(a - b) <= 1e-5 * std::abs(b); };
    EXPECT_EQ(field(rated[0], rated[i], "model_selected"), s["ModelNameSel"].get<std::string>());
    EXPECT_PRED2(near, number("e_sensible"), s["EunbalS"].get<double>());
    EXPECT_PRED2(near, number("e_total"), s["EunbalT"].get<double>());
    if (schedule[i].fields[2] == "ip") {
      EXPECT_PRED2(near, number("supply_db"), s["Tsa"].get<double>());
      EXPECT_PRED2(near, number("exhaust_db"), s["Tea"].get<double>());
      EXPECT_PRED2(near, number("supply_scfm"), s["Vsa"].get<double>());
      EXPECT_PRED2(near, number("dp_exhaust"), s["dPr"].get<double>());
      EXPECT_PRED2(near, number("heat_total"), s["HeatT"].get<double>());
    }
    std::string messages;
    for (const auto& m : json["messages"]) {
      messages += (messages.empty() ? "" : "; ") + m["title"].get<std::string>() + ": " +
                  m["text"].get<std::string>();
    }
    EXPECT_EQ(field(rated[0], rated[i], "messages"), messages);
  }
}

// Rows of every column, valid and not, in both units: each row's case rated
// directly gives, byte for byte, the row typed into the program.
TEST(Batch, RowsRatedDirectlyEqualTheRowsTyped) {
  std::mt19937 random(20261209);
  const auto pick = [&random](std::initializer_list<const char*> values) {
    std::uniform_int_distribution<std::size_t> at(0, values.size() - 1);
    return std::string(*(values.begin() + at(random)));
  };
  // Mostly inside the column's range, now and then beyond it or no number.
  const auto number = [&random, &pick](double low, double high, int decimals) {
    std::uniform_real_distribution<double> value(low - (high - low) / 8, high + (high - low) / 8);
    std::uniform_int_distribution<int> odd(0, 40);
    if (odd(random) == 0) {
      return pick({"", "lots", "1e9", "-0"});
    }
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value(random);
    return text.str();
  };
  // "x" stands for a number drawn from the range.
  const auto orNumber = [&number](const std::string& choice, double low, double high,
                                  int decimals) {
    return choice == "x" ? number(low, high, decimals) : choice;
  };
  std::string schedule =
      "tag,title,units,flow_basis,volume,return_volume,outdoor_db,outdoor_moisture,return_db,"
      "return_moisture,moisture_kind,elevation,outdoor_static,return_static,wheel,model,"
      "standard,zone,hours_8000,outdoor_air_percent\n";
  for (int row = 0; row < 3000; ++row) {
    const std::string units = pick({"", "ip", "ip", "si", "si", "metric"});
    const bool si = units == "si";
    const std::string kind = pick({"", "dew_point", "wet_bulb", "humidity_ratio", "rh"});
    const auto moisture = [&](double dryBulb) {
      if (kind == "rh") {
        return number(5, 100, 1);
      }
      if (kind == "humidity_ratio") {
        return si ? number(1, 20, 2) : number(5, 140, 1);
      }
      return number(dryBulb - (si ? 25 : 45), dryBulb, 1);
    };
    const double outdoor = si ? std::uniform_real_distribution<double>(-30, 45)(random)
                              : std::uniform_real_distribution<double>(-20, 110)(random);
    const double back = si ? 22 : 72;
    const std::string volume = number(si ? 500 : 300, si ? 90000 : 50000, 0);
    const std::vector<std::string> fields{
        std::to_string(row),
        pick({"", "Lobby", "\"East, upper\""}),
        units,
        pick({"", "outdoor", "supply", "outdoor_actual", "supply_actual"}),
        volume,
        pick({"", "same", "other"}) == "other" ? number(si ? 500 : 300, si ? 90000 : 50000, 0)
                                               : volume,
        pick({"", "x"}).empty() ? "" : number(outdoor - 1, outdoor + 1, 1),
        pick({"", "x"}).empty() ? "" : moisture(outdoor),
        pick({"", "x"}).empty() ? "" : number(back - 3, back + 3, 1),
        pick({"", "x"}).empty() ? "" : moisture(back),
        kind,
        orNumber(pick({"", "", "0", "5000", "x"}), 0, si ? 3000 : 10000, 0),
        orNumber(pick({"", "", "2", "x"}), 0, si ? 1000 : 4, 2),
        orNumber(pick({"", "", "0", "x"}), -1, si ? 500 : 2, 2),
        pick({"", "total", "sensible"}),
        pick({"", "", "", "KW28-4", "KW60-4", "KW120-10", "KW999"}),
        pick({"", "", "ashrae-90.1-2019", "eu-1253-2014"}),
        pick({"", "", "5A", "7", "1A"}),
        pick({"", "0", "1"}),
        pick({"", "", "30", "100", "5"}),
    };
    for (std::size_t i = 0; i < fields.size(); ++i) {
      schedule += (i == 0 ? "" : ",") + fields[i];
    }
    schedule += "\n";
  }
  const auto rated = [&schedule](bool typed) {
    std::istringstream in(schedule);
    std::ostringstream out;
    ktr::BatchOptions options;
    options.catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
    options.jobs = 1;
    options.typedRows = typed;
    const ktr::ScheduleCount count = ktr::rateSchedule(in, out, options);
    return std::pair{out.str(), count};
  };
  const auto [direct, directCount] = rated(false);
  const auto [typed, typedCount] = rated(true);
  std::istringstream directLines(direct);
  std::istringstream typedLines(typed);
  std::string directLine;
  std::string typedLine;
  int differing = 0;
  while (std::getline(typedLines, typedLine) && differing < 5) {
    std::getline(directLines, directLine);
    if (directLine != typedLine) {
      ADD_FAILURE() << "direct: " << directLine << "\ntyped:  " << typedLine;
      ++differing;
    }
  }
  EXPECT_EQ(direct, typed);
  EXPECT_EQ(directCount.rows, 3000U);
  EXPECT_GT(directCount.rated, 1000U) << "the rows must reach the rating";
  EXPECT_EQ(directCount.rated, typedCount.rated);
  // Only rows whose rating corrects an entry are typed; this schedule has
  // many of those.
  EXPECT_LT(directCount.typed, 1000U) << "the direct path must take most rows";
}

TEST(Batch, SeveralWorkersKeepTheScheduleOrderAndEachRowsOwnCase) {
  // Rows of different units, wheels and outcomes side by side: a worker
  // that saw another's case would give a different row.
  std::string schedule = "tag,units,wheel,volume,return_volume\n";
  for (int i = 0; i < 2000; ++i) {
    const std::string volume = i % 11 == 0 ? "lots" : std::to_string(1000 + (i * 7919) % 30000);
    schedule += std::to_string(i) + "," + (i % 3 == 0 ? "si" : "ip") + "," +
                (i % 5 == 0 ? "sensible" : "total") + "," + volume + "," + volume + "\n";
  }
  const auto one = rate(schedule, 1);
  const auto four = rate(schedule, 4);
  ASSERT_EQ(four.size(), 2001U);
  for (std::size_t i = 1; i < four.size(); ++i) {
    ASSERT_EQ(four[i].fields[0], std::to_string(i - 1));
  }
  for (std::size_t i = 0; i < four.size(); ++i) {
    ASSERT_EQ(four[i].fields, one[i].fields) << "row " << i;
  }
}

TEST(Batch, AStopKeepsTheRowsAlreadyRated) {
  std::string schedule = "tag\n";
  for (int i = 0; i < 1500; ++i) {
    schedule += std::to_string(i) + "\n";
  }
  std::atomic<bool> stop{false};
  ktr::BatchOptions options;
  options.catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
  options.jobs = 1;
  options.stop = &stop;
  options.progress = [&stop](std::size_t) { stop = true; };
  std::istringstream in(schedule);
  std::ostringstream out;
  const std::size_t written = ktr::rateSchedule(in, out, options).rows;
  EXPECT_GT(written, 0U);
  EXPECT_LT(written, 1500U);
  EXPECT_EQ(records(out.str()).size(), written + 1);
}

// A stop may leave any worker's rows part-rated: the lines go out in the
// schedule's order up to the first row left unrated, and only those count.
TEST(Batch, AStopWritesTheRowsInOrderUpToTheFirstLeftUnrated) {
  const auto lines = [](std::size_t first, std::size_t end, std::size_t rows) {
    ktr::ResultLines made;
    made.start(first, end);
    for (std::size_t i = first; i < first + rows; ++i) {
      made.text += std::to_string(i) + "\n";
    }
    made.rows = rows;
    made.rated = rows;
    made.typed = rows > 0 ? 1 : 0;
    return made;
  };
  const struct {
    const char* what;
    std::vector<ktr::ResultLines> slices;
    std::string written;
    bool whole;
    std::size_t typed;
  } cases[] = {
      {"all rated", {lines(0, 2, 2), lines(2, 4, 2)}, "0\n1\n2\n3\n", true, 2},
      {"the last part-rated", {lines(0, 2, 2), lines(2, 4, 1)}, "0\n1\n2\n", false, 2},
      {"the first part-rated", {lines(0, 2, 1), lines(2, 4, 2)}, "0\n", false, 1},
      {"the first not started", {lines(0, 2, 0), lines(2, 4, 2)}, "", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::ostringstream out;
    ktr::ScheduleCount count;
    EXPECT_EQ(ktr::writeInOrder(c.slices, out, count), c.whole);
    EXPECT_EQ(out.str(), c.written);
    const auto rows =
        static_cast<std::size_t>(std::count(c.written.begin(), c.written.end(), '\n'));
    EXPECT_EQ(count.rows, rows);
    EXPECT_EQ(count.rated, rows);
    EXPECT_EQ(count.typed, c.typed);
  }
}

// A schedule naming a code check setting gets the verdicts before its
// messages, the same as --code-check --json gives for the row's case.
TEST(Batch, CodeCheckColumnsCarryTheVerdicts) {
  EXPECT_EQ(rate("tag,volume\nA,2000\n")[0].fields.back(), "messages");
  const auto rated = rate(
      "tag,volume,return_volume,standard,zone,hours_8000,outdoor_air_percent\n"
      "cold,9000,9000,,7,1,30\n"
      "small,2000,2000,,5A,0,5\n"
      "eu,4000,4000,eu-1253-2014,,,\n"
      "zone,2000,2000,,9Z,,\n"
      "share,2000,2000,,,,0\n");
  ASSERT_EQ(rated.size(), 6U);
  const CsvRecord& header = rated[0];
  const std::vector<std::string> tail(header.fields.end() - 5, header.fields.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"code_required", "err_cooling", "err_heating",
                                            "code_pass", "messages"}));
  const auto check = [&](std::size_t row) {
    return std::vector<std::string>{
        field(header, rated[row], "code_required"), field(header, rated[row], "err_cooling"),
        field(header, rated[row], "err_heating"), field(header, rated[row], "code_pass")};
  };
  const CalcRun cold = runWithCatalog({"txtV=9000", "txtVra=9000", "--zone", "7", "--hours-8000",
                                       "--outdoor-air-percent", "30", "--code-check", "--json"});
  const auto json = nlohmann::json::parse(cold.out).at("code_check");
  EXPECT_EQ(check(1), (std::vector<std::string>{"1", "", field(header, rated[1], "err_heating"),
                                                json.at("pass") ? "1" : "0"}));
  EXPECT_NEAR(std::stod(field(header, rated[1], "err_heating")),
              json.at("err_heating").get<double>(), 1e-5);
  EXPECT_EQ(check(2), (std::vector<std::string>{"0", check(2)[1], check(2)[2], "1"}))
      << "not required under 10 % outdoor air";
  EXPECT_EQ(check(3), (std::vector<std::string>{"1", "", "", "0"})) << "EU: no ERR";
  EXPECT_EQ(field(header, rated[4], "messages"),
            "Error: line 5: zone: '9Z' is not a climate zone from 0A to 6B, 7 or 8");
  EXPECT_EQ(field(header, rated[5], "messages"),
            "Error: line 6: outdoor_air_percent: '0' is not a number above 0 and at most 100");
}

// A weather column adds the year's figures before the messages: as
// --annual-json gives them for the same case, the file read relative to the
// schedule's folder; an unreadable file is that row's error, and a row
// without a file has the columns empty.
TEST(Batch, WeatherColumnAddsTheYearAsAnnualJsonHasIt) {
  const auto dir = std::filesystem::temp_directory_path() / "ktr-batch-weather";
  std::filesystem::create_directories(dir);
  const std::string shipped =
      KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw";
  std::ofstream(dir / "bad.csv") << "month,day,hour,dry_bulb_c,rh\n1,1,1,warm,50\n";
  std::istringstream in("tag,volume,return_volume,weather\nA,2000,2000," + shipped +
                        "\nB,2000,2000,bad.csv\nC,2000,2000,\nD,3000,3000," + shipped + "\n");
  std::ostringstream out;
  ktr::BatchOptions options;
  options.catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
  options.scheduleFolder = dir;
  ktr::rateSchedule(in, out, options);
  const auto rated = records(out.str());
  ASSERT_EQ(rated.size(), 5U);
  const CsvRecord& header = rated[0];
  const std::vector<std::string> tail(header.fields.end() - 9, header.fields.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"heating_recovered", "cooling_recovered", "fan_energy",
                                            "net_energy", "cost_saved", "frost_hours",
                                            "economizer_hours", "operating_hours", "messages"}));
  for (const auto& [row, volume] : {std::pair{1, "2000"}, std::pair{4, "3000"}}) {
    const CalcRun own =
        runWithCatalog({std::string("txtV=") + volume, std::string("txtVra=") + volume, "--weather",
                        shipped, "--annual-json", "-"});
    const auto year = nlohmann::json::parse(own.out).at("year");
    for (std::size_t k = 0; k + 1 < tail.size(); ++k) {
      SCOPED_TRACE(tail[k]);
      EXPECT_EQ(std::stod(field(header, rated[row], tail[k])), year.at(tail[k]).get<double>());
    }
  }
  // A weather file that cannot be read costs the row its year, not its rating.
  EXPECT_EQ(field(header, rated[2], "messages"),
            "Error: line 3: weather: " + (dir / "bad.csv").string() +
                ", line 2: field 4 (dry bulb) is \"warm\", not a number.");
  EXPECT_NE(field(header, rated[2], "model_selected"), "");
  EXPECT_EQ(field(header, rated[2], "heating_recovered"), "");
  EXPECT_EQ(field(header, rated[3], "heating_recovered"), "");
  // In SI units the energy is in kWh, as the SI JSON has it.
  std::istringstream si("units,volume,return_volume,weather\nsi,3400,3400," + shipped + "\n");
  std::ostringstream siOut;
  ktr::rateSchedule(si, siOut, options);
  const auto siRated = records(siOut.str());
  const auto siYear = nlohmann::json::parse(
      runWithCatalog({"--si-toggle", "--settings-ok", "txtVSI=3400", "txtVraSI=3400", "--weather",
                      shipped, "--annual-json", "-"})
          .out)["year"];
  EXPECT_EQ(std::stod(field(siRated[0], siRated[1], "heating_recovered")),
            siYear.at("heating_recovered").get<double>());
  EXPECT_NE(field(header, rated[3], "model_selected"), "");
  std::filesystem::remove_all(dir);
}

TEST(Batch, CommandWritesTheResultsFileAndRefusesToOverwriteTheSchedule) {
  const auto dir = std::filesystem::temp_directory_path() / "ktr-batch-test";
  std::filesystem::create_directories(dir);
  const auto schedule = (dir / "schedule.csv").string();
  const auto results = (dir / "results.csv").string();
  std::ofstream(schedule) << "tag,volume\nA,2000\n";
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(ktr::runKtrCalc({"batch", schedule, "-o", results}, out, err), 0) << err.str();
  EXPECT_EQ(out.str(), "");
  std::ifstream written(results);
  const std::string text{std::istreambuf_iterator<char>(written), {}};
  EXPECT_TRUE(text.starts_with("tag,volume,model_selected,")) << text;
  EXPECT_EQ(records(text).size(), 2U);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2) << "no temporary left";
  std::ostringstream toOut;
  EXPECT_EQ(ktr::runKtrCalc({"batch", schedule, "-o", "-"}, toOut, err), 0) << err.str();
  EXPECT_EQ(records(toOut.str()).size(), 2U) << "- is standard output";

  EXPECT_EQ(ktr::runKtrCalc({"batch", schedule, "-o", schedule}, out, err), 2);
  EXPECT_NE(err.str().find("the results would overwrite the schedule"), std::string::npos);
  std::filesystem::remove_all(dir);
}

// Bad rows never stop the others, but a run of which no row could be rated
// failed; --help is the batch part of the help.
TEST(Batch, ExitStatusSaysWhetherAnyRowWasRated) {
  const auto dir = std::filesystem::temp_directory_path() / "ktr-batch-status";
  std::filesystem::create_directories(dir);
  const struct {
    const char* rows;
    int status;
  } table[] = {
      {"tag,volume\nA,2000\nB,lots\n", 0},
      {"tag,volume\nA,lots\nB,-\n", 3},
      {"tag,volume\n", 0},  // nothing asked, nothing failed
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.rows);
    const auto schedule = (dir / "schedule.csv").string();
    std::ofstream(schedule) << row.rows;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ktr::runKtrCalc({"batch", schedule}, out, err), row.status) << err.str();
    EXPECT_EQ(err.str().empty(), row.status == 0) << err.str();
  }
  std::ostringstream help;
  std::ostringstream err;
  EXPECT_EQ(ktr::runKtrCalc({"batch", "--help"}, help, err), 0);
  EXPECT_TRUE(help.str().starts_with("Rating a schedule:\n")) << help.str();
  std::filesystem::remove_all(dir);
}

TEST(Batch, ACatalogThatCannotBeReadStopsTheRunBeforeAnyRow) {
  const auto dir = std::filesystem::temp_directory_path() / "ktr-batch-catalog-test";
  std::filesystem::create_directories(dir);
  const auto schedule = (dir / "schedule.csv").string();
  std::ofstream(schedule) << "tag\nA\n";
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(ktr::runKtrCalc({"batch", schedule, "--catalog", dir.string()}, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(),
            "ktr-calc: The wheel catalog " + dir.string() + " is a folder, not a catalog file.\n");
  std::filesystem::remove_all(dir);
}

class BatchFiles : public TempFolderTest {
 protected:
  BatchFiles() : TempFolderTest("ktr-batch-files-") {}

  static CalcRun batch(const std::vector<std::string>& args) {
    std::vector<std::string> all{"batch"};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    const int status = ktr::runKtrCalc(all, out, err);
    return {status, out.str(), err.str()};
  }

  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
  }
};

TEST_F(BatchFiles, TwoRunsToOneResultsFileEachLeaveAWholeFile) {
  const std::string schedule = path("schedule.csv");
  std::ofstream file(schedule);
  file << "tag,volume\n";
  for (int row = 0; row < 300; ++row) {
    file << "R" << row << "," << 1000 + 10 * row << "\n";
  }
  file.close();
  const std::string results = path("results.csv");
  const auto run = [&] { return batch({schedule, "-o", results, "--jobs", "1"}); };
  auto first = std::async(std::launch::async, run);
  auto second = std::async(std::launch::async, run);
  for (const CalcRun& r : {first.get(), second.get()}) {
    EXPECT_EQ(r.status, 0) << r.err;
  }
  std::ifstream written(results);
  const auto rows = records(std::string(std::istreambuf_iterator<char>(written), {}));
  ASSERT_EQ(rows.size(), 301U);
  for (const CsvRecord& row : rows) {
    EXPECT_EQ(row.fields.size(), rows.front().fields.size()) << "line " << row.line;
  }
  EXPECT_EQ(entries(), 2U) << "no temporary left";
}

TEST_F(BatchFiles, WhatIsNoRegularFileIsRefusedAndLeftAsItWas) {
  const std::string schedule = path("schedule.csv");
  std::ofstream(schedule) << "tag,volume\nA,2000\n";
  const std::string pipe = path("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::filesystem::create_directories(path("folder"));
  const std::string tooLong = path("long.csv");
  std::ofstream(tooLong) << "tag,volume\nA,2000\n" << std::string((1 << 20) + 1, 'x') << "\n";
  const std::string results = path("results.csv");
  std::ofstream(results) << "the earlier results";
  const std::string device = "is a device or a pipe, not a schedule";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } rows[] = {
      {{"/dev/zero"}, "the schedule /dev/zero " + device},
      {{pipe}, "the schedule " + pipe + " " + device},
      {{path("folder")}, "the schedule " + path("folder") + " is a folder, not a schedule"},
      {{tooLong, "-o", results}, "the schedule " + tooLong + ": line 3 is longer than 1 MB"},
      {{schedule, "-o", pipe},
       "the results cannot be written to " + pipe +
           ": it is not a regular file but a device, a pipe or a socket"},
      {{schedule, "-o", path("folder")},
       "the results cannot be written to " + path("folder") + ": it is a folder"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.front());
    const CalcRun r = batch(row.args);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "ktr-calc: batch: " + row.err + "\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_TRUE(std::filesystem::is_fifo(pipe));
  std::ifstream earlier(results);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), "the earlier results");
  EXPECT_EQ(entries(), 5U) << "no temporary left";
}

}  // namespace
