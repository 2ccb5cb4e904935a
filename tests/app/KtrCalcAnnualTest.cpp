#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "KtrCalcFixture.h"

namespace {

const std::string kShipped =
    KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw";

class KtrCalcAnnual : public TempFolderTest {
 protected:
  KtrCalcAnnual() : TempFolderTest("ktr-calc-annual-") {}
};

// The JSON has a unit for every figure, 12 months and the year; the CSV one
// row per hour; both agree on the year with each other and the text.
TEST_F(KtrCalcAnnual, WritesTheYearAsJsonAndCsv) {
  const CalcRun r = runWithCatalog(
      {"--weather", kShipped, "--annual-json", path("y.json"), "--annual-csv", path("y.csv")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::ifstream jsonFile(path("y.json"));
  const auto json = nlohmann::json::parse(jsonFile);
  ASSERT_EQ(json.at("months").size(), 12U);
  for (const char* key : {"heating_recovered", "cooling_recovered", "fan_energy", "net_energy",
                          "cost_saved", "frost_hours", "economizer_hours", "operating_hours"}) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(json.at("units").contains(key));
    double months = 0;
    for (const auto& month : json.at("months")) {
      months += month.at(key).get<double>();
    }
    EXPECT_NEAR(months, json.at("year").at(key).get<double>(), 1e-6 * std::abs(months) + 1e-9);
  }
  std::ifstream csv(path("y.csv"));
  std::string header;
  std::getline(csv, header);
  EXPECT_EQ(
      header.rfind("month,day,hour,occupied,economizer,frost,operating,outdoor_dry_bulb_F", 0), 0U);
  EXPECT_EQ(std::count(std::istreambuf_iterator<char>(csv), {}, '\n'), 8760);
  EXPECT_GT(json.at("year").at("operating_hours").get<double>(), 2000);
}

// Every model over the year: one row per catalog model, and the model the
// case selects saves there what its own year says.
TEST_F(KtrCalcAnnual, ComparesEveryModelOverTheYear) {
  const std::vector<std::string> air = {"txtV=2000", "txtVra=2000", "--weather", kShipped};
  std::vector<std::string> args = air;
  args.insert(args.end(), {"--compare-annual", "-"});
  const CalcRun r = runWithCatalog(args);
  ASSERT_EQ(r.status, 0) << r.err;
  args = air;
  args.insert(args.end(), {"--annual-json", "-"});
  const auto own = nlohmann::json::parse(runWithCatalog(args).out);
  std::istringstream csv(r.out);
  std::string line;
  std::getline(csv, line);
  EXPECT_EQ(line.rfind("model,net_energy_kBtu,cost_saved_currency,heating_recovered_kBtu,", 0), 0U)
      << line;
  int rows = 0;
  bool found = false;
  while (std::getline(csv, line)) {
    ++rows;
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, ',');) {
      fields.push_back(field);
    }
    ASSERT_GE(fields.size(), 3U) << line;
    if (fields[0] == own.at("model")) {
      found = true;
      EXPECT_NEAR(std::stod(fields[1]), own.at("year").at("net_energy").get<double>(), 0.051);
      EXPECT_NEAR(std::stod(fields[2]), own.at("year").at("cost_saved").get<double>(), 0.051);
    }
  }
  EXPECT_EQ(rows, 35);
  EXPECT_TRUE(found);
}

// Pages of a PDF file Qt wrote: one page object each.
int pdfPages(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string pdf{std::istreambuf_iterator<char>(file), {}};
  int pages = 0;
  for (auto at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    pages += pdf.compare(at, 12, "/Type /Pages") != 0 ? 1 : 0;
  }
  return pages;
}

// The fields of the CSV line of `model`, which the table must have.
std::vector<std::string> csvRow(const std::string& csv, const std::string& model) {
  std::istringstream lines(csv);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, ',');) {
      fields.push_back(field);
    }
    if (!fields.empty() && fields[0] == model) {
      return fields;
    }
  }
  ADD_FAILURE() << "no row for " << model;
  return {};
}

// With a weather file, --compare gains each model's year: the cost and net
// energy it saves and its payback, as the year of that model picked in the
// list gives them; without one the table is as it was.
TEST_F(KtrCalcAnnual, CompareCarriesEachModelsYear) {
  ASSERT_EQ(runWithCatalog({"txtV=2000", "txtVra=2000", "--save", path("p.cse")}).status, 0);
  std::ofstream(path("p.cse"), std::ios::app | std::ios::binary)
      << "\"" << kShipped
      << "\",7,19,0,0,72,50,70,30,1,55,65,0,15,0.6,0.9,0.12,1,3.5,0.85,5000\r\n";
  const CalcRun plain = runWithCatalog({"txtV=2000", "txtVra=2000", "--compare", "-"});
  EXPECT_EQ(plain.out.substr(0, plain.out.find('\r')).ends_with(",water_recovered,messages"), true)
      << plain.out.substr(0, 200);
  const CalcRun r = runWithCatalog({"--open", path("p.cse"), "--compare", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(",water_recovered,cost_saved,net_energy,payback_years,messages\r\n"),
            std::string::npos)
      << r.out.substr(0, 200);
  for (const char* model : {"KW36-4", "KW42-4"}) {
    SCOPED_TRACE(model);
    const std::vector<std::string> row = csvRow(r.out, model);
    ASSERT_EQ(row.size(), 17U);
    // Typed again, the volume offers every model that covers it.
    const CalcRun own =
        runWithCatalog({"--open", path("p.cse"), "txtV=2000", "--calc",
                        std::string("lstWheel=") + model, "--calc", "--annual-json", "-"});
    ASSERT_EQ(own.status, 0) << own.err;
    const auto json = nlohmann::json::parse(own.out);
    ASSERT_EQ(json.at("model"), model);
    const auto year = json.at("year");
    EXPECT_NEAR(std::stod(row[13]), year.at("cost_saved").get<double>(), 0.051);
    EXPECT_NEAR(std::stod(row[14]), year.at("net_energy").get<double>(), 0.051);
    EXPECT_NEAR(std::stod(row[15]), year.at("payback").get<double>(), 0.0051);
  }
}

// The report with the annual page is two pages, the report alone one; a
// weather file that cannot be read writes nothing.
TEST_F(KtrCalcAnnual, ReportCarriesTheAnnualPage) {
  const CalcRun both = runWithCatalog(
      {"--weather", kShipped, "--report-annual", path("two.pdf"), "--report", path("one.pdf")});
  ASSERT_EQ(both.status, 0) << both.err;
  EXPECT_EQ(pdfPages(path("two.pdf")), 2);
  EXPECT_EQ(pdfPages(path("one.pdf")), 1);
  std::ofstream(path("bad.csv")) << "month,day,hour,dry_bulb_c,rh\n1,1,1,warm,50\n";
  const CalcRun bad =
      runWithCatalog({"--weather", path("bad.csv"), "--report-annual", path("bad.pdf")});
  EXPECT_EQ(bad.status, 3);
  EXPECT_NE(bad.err.find("The report could not be written to " + path("bad.pdf") +
                         ": The annual page: " + path("bad.csv") + ", line 2"),
            std::string::npos)
      << bad.err;
  EXPECT_FALSE(std::filesystem::exists(path("bad.pdf")));
}

// A project's seventh record sets the operation (and the weather, unless
// --weather names another).
TEST_F(KtrCalcAnnual, TakesTheProjectsOperation) {
  ASSERT_EQ(runWithCatalog({"--save", path("p.cse")}).status, 0);
  std::ofstream(path("p.cse"), std::ios::app | std::ios::binary)
      << "\"" << kShipped
      << "\",8,17,0,0,72,50,70,30,1,55,65,2,15,0.6,0.9,0.12,1,3.5,0.85,1000\r\n";
  const CalcRun r = runWithCatalog({"--open", path("p.cse"), "--annual-json", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto year = nlohmann::json::parse(r.out).at("year");
  EXPECT_EQ(year.at("operating_hours").get<double>() + year.at("economizer_hours").get<double>(),
            260 * 9);
  EXPECT_NEAR(year.at("payback").get<double>(), 1000 / year.at("cost_saved").get<double>(), 1e-9);
}

// The one-page report is a PDF; one that cannot be written is status 3.
TEST_F(KtrCalcAnnual, WritesTheAnnualReport) {
  const CalcRun r = runWithCatalog({"--weather", kShipped, "--annual-report", path("y.pdf")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::ifstream pdf(path("y.pdf"), std::ios::binary);
  std::string magic(5, '\0');
  pdf.read(magic.data(), 5);
  EXPECT_EQ(magic, "%PDF-");
  const CalcRun folder = runWithCatalog({"--weather", kShipped, "--annual-report", dir.string()});
  EXPECT_EQ(folder.status, 3);
  EXPECT_NE(folder.err.find("The annual report could not be written to " + dir.string()),
            std::string::npos)
      << folder.err;
}

// A weather file that cannot be read names the file, line and field, is
// status 3, and nothing is rated or written.
TEST_F(KtrCalcAnnual, UnreadableWeatherRatesNothing) {
  std::ifstream shipped(kShipped);
  std::ofstream bad(path("bad.epw"), std::ios::binary);
  int number = 0;
  for (std::string line; std::getline(shipped, line);) {
    // January 1, hour 5, on line 13.
    if (++number == 13) {
      line.replace(line.find(",-10.6,"), 6, ",warm");
    }
    bad << line << '\n';
  }
  bad.close();
  const CalcRun r = runWithCatalog({"--weather", path("bad.epw"), "--annual-json", path("y.json")});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(
      r.err.find(path("bad.epw") + ", line 13: field 7 (dry bulb) is \"warm\", not a number."),
      std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(path("y.json")));
}

}  // namespace
