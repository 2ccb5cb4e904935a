#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/Catalog.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "ui/Calculate.h"

namespace {

using namespace ModCalc;
namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr const char* kHeader =
    "Pw,Face,Min,Max,Purge,Diam,Depth,Spokes,Rpm,Height,Width,CasDepth,Hub,Extra,HP,Frame,"
    "Bearings";

// A well-formed model record whose numbers tell row n apart.
std::string model(int n) {
  const std::string i = std::to_string(n);
  return "M" + i + "," + i + ".5," + i + "00," + i +
         "50,20,36,4,6,40,42,42,6.5,4.5,,1/2,Steel,Ball";
}

std::string catalogText(int models, const std::string& eol = "\r\n") {
  std::string text = kHeader + eol;
  for (int n = 1; n <= models; ++n) {
    text += model(n) + eol;
  }
  return text;
}

auto columns(const ModelCatalog& c) {
  return std::tie(c.ModelName, c.ModelFaceArea, c.ModelMinCfm, c.ModelMaxCfm, c.ModelPurgeCfm,
                  c.WheelDiam, c.WheelDepth, c.SpokeCount, c.ModelRpm, c.CasHeight, c.CasWidth,
                  c.CasDepth, c.HubDiam, c.ModelExtra, c.MotorHP, c.FrameText, c.BearingText);
}

struct CatalogTest : testing::Test {
  fs::path dir =
      fs::temp_directory_path() / ("ktr-catalog-test-" + std::to_string(std::random_device{}()));
  CalcState state;
  ModelCatalog catalog;
  DialogFields fields;
  platform::HeadlessMessageBox messages;
  Engine engine{state, catalog, fields, messages, {}};

  CatalogTest() { fs::create_directories(dir); }
  ~CatalogTest() override { fs::remove_all(dir); }

  fs::path write(const std::string& text) const {
    const fs::path path = dir / "ktrmodel6.csv";
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  auto row(std::size_t i) const {
    return std::apply([i](const auto&... column) { return std::make_tuple(column[i]...); },
                      columns(catalog));
  }
  std::optional<std::string> load(const std::string& text) {
    return LoadCatalog(engine, {write(text)});
  }
};

TEST_F(CatalogTest, ReadsEveryFieldWhateverTheLineEnds) {
  const std::string row1 =
      "\"KW24-4\",2.93,290,1450,25,24,4,5,60,30,31,6.5,3.5,X1,1 1/2,"
      "\"Galvanized steel, bolted\",\"Sealed ball bearings, external\"";
  // A comma right before a line break gives one empty item, not two.
  const std::string row2 = "M2,1,2,3,4,5,6,7,8,9,10,11,12,-2E1,1/3,Steel,";
  for (const std::string eol : {"\n", "\r\n", "\r"}) {
    SCOPED_TRACE(testing::PrintToString(eol));
    ASSERT_EQ(load(kHeader + eol + row1 + eol + row2 + eol + model(3)), std::nullopt);
    EXPECT_EQ(state.ModelCount, 3);
    EXPECT_EQ(state.OverridePassword, "Pw");
    EXPECT_EQ(catalog.ModelName[0], "Custom 364");
    EXPECT_EQ(row(1),
              std::make_tuple("KW24-4"s, 2.93f, 290.0f, 1450.0f, 25.0f, 24.0f, 4.0f,
                              std::int16_t{5}, 60.0f, 30.0f, 31.0f, 6.5f, 3.5f,
                              platform::Variant{"X1"s}, "1 1/2"s, "Galvanized steel, bolted"s,
                              platform::Variant{"Sealed ball bearings, external"s}));
    EXPECT_EQ(catalog.ModelExtra[2], platform::Variant{-20.0});
    EXPECT_EQ(catalog.BearingText[2], platform::Variant{});
    EXPECT_EQ(catalog.ModelName[3], "M3");
  }
}

TEST_F(CatalogTest, ItemsStandWhereverTheFileBreaksThem) {
  const std::string headings =
      "\"Kestrel, Wing\" ,Face Area,Min CFM,Max CFM,Purge,Diameter,Depth,Spokes,RPM,Height,"
      "Width,Cassette Depth,Hub,Extra,Motor,Frame,Bearings";
  const struct {
    const char* name;
    std::string text;
    const char* password;
    std::int16_t modelCount;
  } rows[] = {
      {"header only", catalogText(0), "Pw", 0},
      {"fifty models", catalogText(50), "Pw", 50},
      {"header only, no final line break", kHeader, "Pw", 0},
      {"byte-order mark", "\xEF\xBB\xBF" + catalogText(1), "Pw", 1},
      {"blanks around items", "  Pw\t, Face" + catalogText(1).substr(7), "Pw", 1},
      {"record split over two lines",
       catalogText(0) + "M1,1,2,3,4,5,6,7\r\n8,9,10,11,12,13,14,15,16\r\n" + model(2), "Pw", 2},
      {"quoted password with a comma, 17 headings", headings + "\r\n" + model(1), "Kestrel, Wing",
       1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(load(row.text), std::nullopt);
    EXPECT_EQ(state.OverridePassword, row.password);
    EXPECT_EQ(state.ModelCount, row.modelCount);
    EXPECT_EQ(catalog.ModelName[row.modelCount],
              row.modelCount == 0 ? "Custom 364" : "M" + std::to_string(row.modelCount));
  }
  // Of the headings, the custom wheel leaves these: in numeric fields they
  // read 0, in text fields they stay.
  EXPECT_EQ(catalog.ModelMinCfm[0], 0.0f);
  EXPECT_EQ(catalog.FrameText[0], "Frame");
  EXPECT_EQ(catalog.BearingText[0], platform::Variant{std::string("Bearings")});
}

TEST_F(CatalogTest, ReadsWindows1252TextAsUtf8) {
  // "Kühl" and "Stahl – verzinkt" as an older Windows machine saved them.
  const std::string text = catalogText(1) +
                           "K\xFChl,2.5,200,250,20,36,4,6,40,42,42,6.5,4.5,,1/2,"
                           "Stahl \x96 verzinkt,Ball\r\n";
  ASSERT_EQ(load(text), std::nullopt);
  EXPECT_EQ(catalog.ModelName[2], "Kühl");
  EXPECT_EQ(catalog.FrameText[2], "Stahl – verzinkt");
}

TEST_F(CatalogTest, FailedLoadKeepsTheCatalogInUse) {
  const std::string path = (dir / "ktrmodel6.csv").string();
  const struct {
    const char* name;
    std::string text;
    std::string error;
  } rows[] = {
      {"empty", "", " is empty."},
      {"fifty-one models", catalogText(51),
       " holds more than 50 models: record 52 (line 52) is one too many."},
      {"byte-order mark only", "\xEF\xBB\xBF", " is empty."},
      {"last record cut short", catalogText(1) + "M2,1,2,\r\n3,4,5,6,7,8",
       " ends in the middle of record 3 (line 3): 17 items expected, 10 found."},
      {"blank line at the end", catalogText(2) + "\r\n",
       " ends in the middle of record 4 (line 4): 17 items expected, 1 found."},
      {"header cut short", "Pw,Face",
       " ends in the middle of record 1 (line 1): 17 items expected, 2 found."},
      {"spoke count too large", catalogText(1) + "M2,1,2,3,4,5\r\n6,40000,8,9,10,11,12,13,14,15,16",
       " has a spoke count out of range in record 3 (line 4), item 8: 40000 is not within -32768 "
       "to 32767."},
      {"face area not a number", catalogText(1) + "M2,2.5O,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16",
       " has no number in record 3 (line 3), item 2 (ModelFaceArea): \"2.5O\"."},
      {"empty hub diameter", catalogText(2) + "M3,1,2,3,4,5,6,7,8,9,10,11,,13,14,15,16",
       " has no number in record 4 (line 4), item 13 (HubDiam): \"\"."},
      {"spoke count a word", catalogText(1) + "M2,1,2,3,4,5,6,six,8,9,10,11,12,13,14,15,16",
       " has no number in record 3 (line 3), item 8 (SpokeCount): \"six\"."},
      {"face area of zero", catalogText(1) + "M2,0,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16",
       " has ModelFaceArea 0 in record 3 (line 3), item 2: it must be greater than 0."},
      {"negative depth", catalogText(1) + "M2,1,2,3,4,5,-4,7,8,9,10,11,12,13,14,15,16",
       " has WheelDepth -4 in record 3 (line 3), item 7: it must be greater than 0."},
      {"negative diameter", catalogText(1) + "M2,1,2,3,4,-5,6,7,8,9,10,11,12,13,14,15,16",
       " has WheelDiam -5 in record 3 (line 3), item 6: it must be greater than 0."},
      {"stopped wheel", catalogText(1) + "M2,1,2,3,4,5,6,7,0,9,10,11,12,13,14,15,16",
       " has ModelRpm 0 in record 3 (line 3), item 9: it must be greater than 0."},
      {"volume range upside down",
       catalogText(1) + "M2,1,3000,2000,4,5,6,7,8,9,10,11,12,13,14,15,16",
       " has ModelMinCfm 3000 above ModelMaxCfm 2000 in record 3 (line 3)."},
  };
  ASSERT_EQ(load(catalogText(3)), std::nullopt);
  const ModelCatalog before = catalog;

  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(load(row.text), "The wheel catalog " + path + row.error);
    EXPECT_TRUE(columns(catalog) == columns(before));
    EXPECT_EQ(std::tie(state.ModelCount, state.OverridePassword), std::make_tuple(3, "Pw"s));
  }

  const std::vector<fs::path> missing{dir / "a" / "ktrmodel6.csv", dir / "b" / "ktrmodel6.csv"};
  EXPECT_EQ(LoadCatalog(engine, missing),
            "The wheel catalog \"ktrmodel6.csv\" was not found. Looked in: " + missing[0].string() +
                ", " + missing[1].string() + ".");
  EXPECT_EQ(LoadCatalog(engine, {dir}),
            "The wheel catalog " + dir.string() + " is a folder, not a catalog file.");
  EXPECT_EQ(LoadCatalog(engine, {"/dev/null"}),
            "The wheel catalog /dev/null is a device or a pipe, not a catalog file.");
  const fs::path huge = dir / "huge.csv";
  std::ofstream(huge).put('"');
  fs::resize_file(huge, (std::uintmax_t{16} << 20) + 1);
  EXPECT_EQ(LoadCatalog(engine, {huge}),
            "The wheel catalog " + huge.string() +
                " is larger than 16 MB, too large for a catalog file.");
  EXPECT_EQ(LoadCatalog(engine, {missing[0]}),
            "The wheel catalog " + missing[0].string() + " was not found.");
  EXPECT_EQ(LoadCatalog(engine, {}),
            "The wheel catalog was not found: no place to look for it was given.");
  EXPECT_TRUE(columns(catalog) == columns(before));
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(LoadCatalog(engine, {missing[0], write(catalogText(2))}), std::nullopt);
  EXPECT_EQ(state.ModelCount, 2);

  // The custom wheel is built last; a box without a number stops the load too.
  fields.overrides.txtWheelDiam.setText("");
  EXPECT_EQ(load(catalogText(5)),
            "The wheel catalog " + path +
                " was not loaded because the custom wheel could not be built from the override "
                "dialog.");
  EXPECT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(state.ModelCount, 2);
  EXPECT_EQ(catalog.ModelName[3], "");
}

TEST_F(CatalogTest, ShippedCatalogIsInAscendingSizeWithoutGaps) {
  ASSERT_EQ(LoadCatalog(engine, {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"}), std::nullopt);
  EXPECT_EQ(state.OverridePassword, "KestrelWing");
  const int count = state.ModelCount;
  EXPECT_GE(count, 30);
  EXPECT_LE(count, 45);

  std::set<int> flutes;
  for (int i = 1; i <= count; ++i) {
    SCOPED_TRACE(catalog.ModelName[i]);
    const float depth = catalog.WheelDepth[i];
    flutes.insert(depth < 5 ? 45 : depth <= 9 ? 62 : 94);
    EXPECT_LT(catalog.ModelMinCfm[i], catalog.ModelMaxCfm[i]);
    const double d = catalog.WheelDiam[i];
    const double h = catalog.HubDiam[i];
    const double annulus = 3.14159 * (d * d - h * h) / 4 / 144;
    EXPECT_NEAR(catalog.ModelFaceArea[i], 0.95 * annulus, 0.05 * annulus) << "less the spokes";
    if (i > 1) {
      EXPECT_GT(catalog.ModelFaceArea[i], catalog.ModelFaceArea[i - 1]);
      EXPECT_GT(catalog.ModelMinCfm[i], catalog.ModelMinCfm[i - 1]);
      EXPECT_GT(catalog.ModelMaxCfm[i], catalog.ModelMaxCfm[i - 1]);
      EXPECT_LE(catalog.ModelMinCfm[i], catalog.ModelMaxCfm[i - 1]) << "no gap below";
    }
  }
  EXPECT_EQ(flutes, (std::set<int>{45, 62, 94}));
}

}  // namespace
