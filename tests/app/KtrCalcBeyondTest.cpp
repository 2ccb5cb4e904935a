// ktr-calc's comparison, chart and rating conditions, as a user runs them.
#include <gtest/gtest.h>

#include <QImage>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "KtrCalcFixture.h"
#include "app/ComparisonCsv.h"
#include "app/KtrCalc.h"

namespace {

namespace fs = std::filesystem;

// RFC 4180 records: fields split at commas outside quotes, doubled quotes
// read as one.
std::vector<std::vector<std::string>> records(const std::string& csv) {
  std::vector<std::vector<std::string>> result(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t k = 0; k < csv.size(); ++k) {
    const char c = csv[k];
    if (quoted && c == '"' && k + 1 < csv.size() && csv[k + 1] == '"') {
      result.back().back() += '"';
      ++k;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ',') {
      result.back().emplace_back();
    } else if (!quoted && c == '\r' && k + 1 < csv.size() && csv[k + 1] == '\n') {
      ++k;
      result.emplace_back(1);
    } else {
      result.back().back() += c;
    }
  }
  result.pop_back();  // after the last CR LF
  return result;
}

class KtrCalcBeyond : public TempFolderTest {
 protected:
  KtrCalcBeyond() : TempFolderTest("ktr-calc-beyond-") {}
};

TEST_F(KtrCalcBeyond, CompareWritesOneRowPerModelUnderTheNamedColumns) {
  const CalcRun r = runWithCatalog({"txtV=3000", "txtVra=3000", "--compare", "-"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto rows = records(r.out);
  ASSERT_EQ(rows.size(), 37U) << "the header, 35 catalog models and the custom wheel";
  EXPECT_EQ(rows[0], (std::vector<std::string>{
                         "model", "in_range", "face_velocity", "dp_supply", "dp_exhaust",
                         "purge_volume", "e_sensible", "e_latent", "e_total", "heat_sensible",
                         "heat_latent", "heat_total", "water_recovered", "messages"}));
  for (const auto& row : rows) {
    EXPECT_EQ(row.size(), 14U) << row[0];
  }
  EXPECT_EQ(rows[1][0], "KW24-4");
  EXPECT_EQ(rows[1][1], "0") << "a 290 to 1,450 cfm wheel does not cover 3,000 cfm";
  EXPECT_NE(rows[1][13].find("Face Velocity Too High"), std::string::npos);
}

TEST_F(KtrCalcBeyond, CompareRowOfTheSelectedModelMatchesTheResults) {
  const CalcRun results = runWithCatalog({"txtV=3000", "txtVra=3000", "--results"});
  const CalcRun compared = runWithCatalog({"txtV=3000", "txtVra=3000", "--compare", "-"});
  ASSERT_EQ(compared.status, 0) << compared.err;
  const auto rows = records(compared.out);
  // The smallest model that covers the case is the one selected.
  const auto selected =
      std::find_if(rows.begin() + 1, rows.end(), [](const auto& row) { return row[1] == "1"; });
  ASSERT_NE(selected, rows.end());
  EXPECT_NE(results.out.find("Model: KTR " + (*selected)[0]), std::string::npos) << results.out;
  // Energy recovered, as the results show it (grouped there, plain here).
  std::string total = (*selected)[11];
  total.insert(total.size() - 3, ",");
  EXPECT_NE(results.out.find(total), std::string::npos) << total << "\n" << results.out;
}

TEST_F(KtrCalcBeyond, CompareLeavesTheCaseAsItWas) {
  const std::vector<std::string> caseArgs{"optOutdoor=1", "txtElev=1000", "--settings-ok",
                                          "txtV=2000",    "txtVra=1800",  "--calc"};
  std::vector<std::string> plain = caseArgs;
  plain.insert(plain.end(), {"--json"});
  std::vector<std::string> compared = caseArgs;
  compared.insert(compared.end(), {"--compare", path("table.csv"), "--json"});
  const CalcRun before = runWithCatalog(plain);
  const CalcRun after = runWithCatalog(compared);
  ASSERT_EQ(after.status, 0) << after.err;
  EXPECT_EQ(after.out, before.out);
  EXPECT_TRUE(fs::file_size(path("table.csv")) > 0);
}

TEST_F(KtrCalcBeyond, CompareInSIShowsSIFigures) {
  const CalcRun english = runWithCatalog({"txtV=3000", "txtVra=3000", "--compare", "-"});
  const CalcRun si = runWithCatalog(
      {"--si-toggle", "--settings-ok", "txtVSI=5098", "txtVraSI=5098", "--compare", "-"});
  ASSERT_EQ(si.status, 0) << si.err;
  const auto e = records(english.out);
  const auto s = records(si.out);
  ASSERT_EQ(e.size(), s.size());
  // KW36-4 at 3,000 cfm: fpm against m/s, in. w.c. against Pa, Btu/h
  // against kW; the fractions are the same.
  const double fpm = std::stod(e[5][2]);
  EXPECT_NEAR(std::stod(s[5][2]), fpm * 0.3048 / 60, 0.02);
  EXPECT_NEAR(std::stod(s[5][3]), std::stod(e[5][3]) * 249, 1.5);
  // The °C boxes round the air states to a tenth of a degree.
  EXPECT_NEAR(std::stod(s[5][11]), std::stod(e[5][11]) * 0.0002928, 0.3);
  EXPECT_NEAR(std::stod(s[5][8]), std::stod(e[5][8]), 0.002);
}

TEST_F(KtrCalcBeyond, CompareWithNoModelCoveringTheCaseGivesAnEmptyTableAndANote) {
  // Two models with a gap between their ranges; the case falls in it.
  std::ofstream(path("gap.csv"))
      << "\"KestrelWing\",\"Face Area ft2\",\"Min CFM\",\"Max CFM\",\"Purge CFM\",\"Wheel "
         "Diameter in\",\"Wheel Depth in\",\"Spokes\",\"RPM\",\"Cassette Height in\",\"Cassette "
         "Width in\",\"Cassette Depth in\",\"Hub Diameter in\",\"Extra\",\"Motor HP\",\"Frame\","
         "\"Bearings\"\r\n"
         "\"KW24-4\",2.93,290,1450,25,24,4,4,60,30,30,6.5,3.5,,\"1/4\",\"Steel\",\"Ball\"\r\n"
         "\"KW60-4\",18.4,5000,8000,150,60,4,8,40,66,66,8,8,,\"1\",\"Steel\",\"Ball\"\r\n";
  const CalcRun r = runWithCatalog({"txtV=3000", "txtVra=3000", "--compare", "-"}, path("gap.csv"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(records(r.out).size(), 1U) << r.out;
  EXPECT_EQ(r.err, std::string("Compare Models: ") + ktr::kNoModelCoversNote + "\n");
}

TEST_F(KtrCalcBeyond, ChartIsWrittenAsSvgAndPng) {
  const CalcRun r = runWithCatalog({"--chart", path("chart.svg"), "--chart", path("chart.png")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::ifstream file(path("chart.svg"));
  std::stringstream svg;
  svg << file.rdbuf();
  QXmlStreamReader xml(QString::fromStdString(svg.str()));
  QStringList texts;
  bool root = false;
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement) {
      if (!root) {
        EXPECT_EQ(xml.name().toString(), "svg");
        EXPECT_EQ(xml.attributes().value("viewBox").toString(), "0 0 960 680");
        root = true;
      } else if (xml.name() == QStringLiteral("text")) {
        texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
      }
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  for (const char* label : {"Outdoor", "Supply", "Return", "Exhaust", "Dry bulb, °F",
                            "Humidity ratio, gr/lb", "50 %", "65 °F"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(label))) << label;
  }
  const QImage png(QString::fromStdString(path("chart.png")));
  EXPECT_EQ(png.size(), QSize(960, 680));
}

TEST_F(KtrCalcBeyond, ChartToAnUnknownKindOfFileIsRefused) {
  const CalcRun r = runWithCatalog({"--chart", path("chart.txt")});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Psychrometric Chart: The chart's file name must end in .svg or .png: " +
                       path("chart.txt") + "\n");
  EXPECT_FALSE(fs::exists(path("chart.txt")));
}

// Every output describes the case on screen, calculated: an edit after the
// last calculation is calculated first, and a case that cannot be
// calculated writes nothing and fails the run.
struct OutputRow {
  const char* flag;
  const char* file;  // nullptr: standard output
  const char* stopped;
};
const OutputRow kOutputs[] = {
    {"--save", "case.cse", "Save: Nothing was written to "},
    {"--copy", "summary.txt", "Copy: Nothing was written to "},
    {"--report", "report.pdf", "Export PDF: Nothing was written to "},
    {"--compare", nullptr, "Compare Models: Nothing was written to standard output"},
    {"--chart", "chart.svg", "Psychrometric Chart: Nothing was written to "},
    {"--results", nullptr, "Results: Nothing was written to standard output"},
};

TEST_F(KtrCalcBeyond, AnOutputOfACaseThatCannotCalculateIsNotWritten) {
  for (const OutputRow& row : kOutputs) {
    SCOPED_TRACE(row.flag);
    std::vector<std::string> args{"txtToa=warm", row.flag};
    if (std::string_view(row.flag) != "--results") {
      args.push_back(row.file != nullptr ? path(row.file) : "-");
    }
    const CalcRun r = runWithCatalog(args);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Error: Enter a number for the outdoor air dry bulb.\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(row.stopped), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("the case could not be calculated."), std::string::npos) << r.err;
    if (row.file != nullptr) {
      EXPECT_FALSE(fs::exists(path(row.file)));
    }
  }
}

TEST_F(KtrCalcBeyond, AnOutputAfterAnEditCalculatesTheEditedCase) {
  for (const OutputRow& row : kOutputs) {
    SCOPED_TRACE(row.flag);
    std::vector<std::string> args{"txtV=2000", "txtVra=2000", "--calc",
                                  "txtV=5000", "txtVra=5000", row.flag};
    if (std::string_view(row.flag) != "--results") {
      args.push_back(row.file != nullptr ? path(row.file) : "-");
      args.emplace_back("--results");
    }
    const CalcRun r = runWithCatalog(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("Supply Air"), std::string::npos) << r.out;
    EXPECT_NE(r.out.substr(r.out.find("Supply Air")).find("5,000 acfm"), std::string::npos)
        << r.out;
  }
  const CalcRun copied = runWithCatalog(
      {"txtV=2000", "txtVra=2000", "--calc", "txtV=5000", "txtVra=5000", "--copy", "-"});
  EXPECT_NE(copied.out.find("5,000"), std::string::npos) << copied.out;
  EXPECT_EQ(copied.out.find("2,000"), std::string::npos) << copied.out;
}

// A person cannot press a hidden button or reach a box in a hidden frame.
TEST_F(KtrCalcBeyond, WhatAPersonCannotReachIsAUsageError) {
  const struct {
    std::vector<std::string> args;
    const char* err;
  } rows[] = {
      {{"txtV=2000", "--calc", "--calc"},
       "ktr-calc: --calc: the \"Calculate\" button (cmdCalc) is hidden: the results are up to "
       "date; outputs calculate by themselves when they are not\n"},
      {{"--settings-ok", "--calc"},
       "ktr-calc: --calc: the \"Calculate\" button (cmdCalc) is hidden: the results are up to "
       "date; outputs calculate by themselves when they are not\n"},
      {{"--password", "kestrelwing", "txtWheelDiam=48"},
       "ktr-calc: 'txtWheelDiam' cannot be set: the frame fmeWheel that holds it is hidden in its "
       "window\n"},
      {{"--password", "kestrelwing", "Flute94=1"},
       "ktr-calc: 'Flute94' cannot be set: the frame fmeFlute that holds it is hidden in its "
       "window\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.back());
    const CalcRun r = runWithCatalog(row.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, row.err);
  }
  // Shown, the same controls take their values, and --calc at start-up is
  // the calculation a run would end with anyway.
  const CalcRun shown =
      runWithCatalog({"--calc", "--password", "kestrelwing", "chkAutoSelect=1", "txtWheelDiam=48",
                      "FluteOverride=1", "Flute94=1", "--override-ok", "--results"});
  EXPECT_EQ(shown.status, 0) << shown.err;
}

TEST_F(KtrCalcBeyond, RatingTypesTheConditionsThenCalculates) {
  const CalcRun r = runWithCatalog({"--rating", "winter", "--results"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Winter"), std::string::npos) << r.out;
  const CalcRun wrong = runWithCatalog({"--rating", "spring"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err, "ktr-calc: --rating takes summer or winter, not 'spring'\n");
}

}  // namespace
