// The tool commands of tarnwick-cli as whole processes: the design's output
// plus each command's results, exit codes, and the field written with -o.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "support/cli_run.h"
#include "support/json_lite.h"

namespace {

const std::string kRef = std::string(TARNWICK_TEST_DATA) + "/reference/";

using tarnwick::test::cli;
using tarnwick::test::CliRun;
using tarnwick::test::tempField;

// oe of the station at (col, row) in the "stations" member.
double oe(const jsonlite::Value& v, int col, int row) {
    for (const auto& s : v["stations"].array)
        if (s["col"].number == col && s["row"].number == row) return s["oe"].number;
    ADD_FAILURE() << "no station " << col << "," << row;
    return NAN;
}

}  // namespace

// The JSON text itself, layout and number forms included, as scripts that
// read it have it.
TEST(CommandLineTools, JsonOutputIsTheKnownText) {
    const std::string golden = std::string(TARNWICK_TEST_DATA) + "/cli/";
    const struct {
        const char* args;
        const char* file;
    } cases[] = {
        {"design FIELD --json", "small-6x5.design.json"},
        {"ratio-check FIELD --cells A1:C3 --json", "small-6x5.ratio-check-A1-C3.json"},
    };
    for (const auto& c : cases) {
        std::string args = c.args;
        args.replace(args.find("FIELD"), 5, kRef + "small-6x5.fld");
        SCOPED_TRACE(args);
        CliRun r = cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, tarnwick::readWholeFile(golden + c.file).value_or("missing"));
    }
}

TEST(CommandLineTools, MinimizeDesignsTheFoundSlopesAndWritesThem) {
    const std::string out = tempField("minimize");
    CliRun r = cli("minimize " + kRef + "small-6x5.fld --json -o " + out);
    ASSERT_EQ(r.status, 0) << r.err;
    const jsonlite::Value v = jsonlite::parse(r.out);
    const jsonlite::Value& m = v["minimize"];
    EXPECT_EQ(v["records"][0]["row_slope"].number, m["row_slope"].number);
    EXPECT_EQ(v["records"][0]["col_slope"].number, m["col_slope"].number);
    EXPECT_LE(m["least_cut"].number, v["best_fit"]["yardage"].number);

    // The written field designs to the same whole-field slopes.
    CliRun again = cli("design " + out + " --json");
    ASSERT_EQ(again.status, 0);
    EXPECT_EQ(jsonlite::parse(again.out)["records"][0]["row_slope"].number, m["row_slope"].number);
    std::filesystem::remove(out);

    CliRun text = cli("minimize " + kRef + "small-6x5.fld");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Design summary"), std::string::npos);
    EXPECT_NE(text.out.find("Minimize yardage: row slope "), std::string::npos);
}

// A field of 2 x 2 stations has a best fit but no trial volume.
TEST(CommandLineTools, MinimizeWithFourStationsTakesTheBestFit) {
    const std::string field = tempField("four");
    ASSERT_TRUE(tarnwick::writeFileAtomically(
        field, "TW200\r\n0,100,100,50,50,0,1,1.25,F,C,0,0,0,2,2\r\n50,50,100.00\r\n150,50,100.10\r\n"
               "50,150,100.20\r\n150,150,100.45\r\n1\r\n2\r\n1\r\n2\r\n0.100\r\n0.050\r\n1.25\r\n0\r\n0.00\r\n"));
    CliRun r = cli("minimize " + field + " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const jsonlite::Value v = jsonlite::parse(r.out);
    EXPECT_TRUE(v["minimize"]["least_cut"].isNull());
    EXPECT_EQ(v["minimize"]["row_slope"].number, v["best_fit"]["row_slope"].number);
    EXPECT_EQ(v["records"][0]["col_slope"].number, v["best_fit"]["col_slope"].number);
    EXPECT_TRUE(v["best_fit"]["yardage"].isNull());
    EXPECT_GT(v["records"][0]["total_cut"].number, 0);
    CliRun text = cli("minimize " + field);
    EXPECT_NE(text.out.find(", least cut -\n"), std::string::npos) << text.out;
    std::filesystem::remove(field);
}

TEST(CommandLineTools, RatioCheckReportsAndPutsTheDesignBack) {
    const std::string field = kRef + "three-sectors-40x30.fld";
    const jsonlite::Value design = jsonlite::parse(cli("design " + field + " --json").out);

    CliRun r = cli("ratio-check " + field + " --cells C15:Z24 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const jsonlite::Value v = jsonlite::parse(r.out);
    const jsonlite::Value& check = v["ratio_check"];
    EXPECT_GT(check["full_ratio"].number, 0);
    EXPECT_GT(check["sector_ratio"].number, 0);
    EXPECT_FALSE(check["warning"].boolean);
    EXPECT_EQ(check["selected_stations"].number, 240);
    for (size_t k = 0; k < design["records"].size(); ++k)
        EXPECT_EQ(v["records"][k]["total_cut"].number, design["records"][k]["total_cut"].number);
    EXPECT_TRUE(r.err.empty());

    // The whole field: the 75% message goes to standard error, nobody answers it.
    CliRun all = cli("ratio-check " + field + " --cells a1:ZZ999");
    ASSERT_EQ(all.status, 0);
    EXPECT_NE(all.out.find("Full Field - Actual Cut/Fill Ratio: "), std::string::npos);
    EXPECT_NE(all.out.find("Sectors - Actual Cut/Fill Ratio: "), std::string::npos);
    EXPECT_NE(all.err.find("Over 75% of the field Completed - These estimates will be invalid"), std::string::npos);
    EXPECT_TRUE(jsonlite::parse(cli("ratio-check " + field + " --cells A1:ZZ999 --json").out)["ratio_check"]["warning"]
                    .boolean);

    EXPECT_TRUE(jsonlite::parse(cli("ratio-check " + field + " --cells B2 --json").out)["ratio_check"].isNull());
}

TEST(CommandLineTools, ConvertAndAdjustRewriteTheReadings) {
    const std::string field = kRef + "small-6x5.fld";
    const jsonlite::Value design = jsonlite::parse(cli("design " + field + " --json").out);

    const std::string rod = tempField("rod");
    CliRun r = cli("convert " + field + " --hi 105.00 --json -o " + rod);
    ASSERT_EQ(r.status, 0) << r.err;
    jsonlite::Value v = jsonlite::parse(r.out);
    EXPECT_EQ(v["convert"]["data_type"].string, "Rod Readings");
    EXPECT_NEAR(oe(v, 1, 1), 105.0 - oe(design, 1, 1), 1e-9);
    CliRun back = cli("convert " + rod + " --hi 105 --json");
    ASSERT_EQ(back.status, 0) << back.err;
    v = jsonlite::parse(back.out);
    EXPECT_EQ(v["convert"]["data_type"].string, "Elevations");
    EXPECT_EQ(oe(v, 4, 3), oe(design, 4, 3));
    EXPECT_NEAR(v["records"][0]["total_cut"].number, design["records"][0]["total_cut"].number, 1e-6);
    std::filesystem::remove(rod);

    r = cli("adjust " + field + " --row-slope 0.10 --col-slope 0 --ref A1 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    v = jsonlite::parse(r.out);
    EXPECT_EQ(v["adjust"]["ref_col"].number, 1);
    EXPECT_NEAR(oe(v, 3, 1), oe(design, 3, 1) - 0.20, 1e-9);
    EXPECT_EQ(oe(v, 1, 4), oe(design, 1, 4));
}

TEST(CommandLineTools, RefusalsAndUsage) {
    const std::string field = kRef + "small-6x5.fld";
    struct Case {
        const char* args;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {"adjust FIELD --row-slope 0.1 --ref AB", 1,
         "The reference station \"AB\" is not a column and row such as A1."},
        {"convert FIELD", 2, "usage:"},
        {"convert FIELD --hi abc", 2, "usage:"},
        {"ratio-check FIELD", 2, "usage:"},
        {"ratio-check FIELD --cells 3C", 2, "usage:"},
        {"minimize FIELD --best-fit", 2, "usage:"},
        {"minimize", 2, "usage:"},
    };
    for (const Case& c : cases) {
        std::string args = c.args;
        if (auto p = args.find("FIELD"); p != std::string::npos) args.replace(p, 5, field);
        SCOPED_TRACE(args);
        CliRun r = cli(args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST(CommandLineTools, ForceMovesTheChosenDesignThroughTheStation) {
    auto station = [](const jsonlite::Value& v, int col, int row) -> const jsonlite::Value& {
        for (const auto& s : v["stations"].array)
            if (s["col"].number == col && s["row"].number == row) return s;
        throw std::runtime_error("no station");
    };
    // Whole field: the plane keeps its slopes and goes through 101.20 at C3.
    CliRun full = cli("force " + kRef + "small-6x5.fld --station C3 --value 101.20 --json");
    ASSERT_EQ(full.status, 0) << full.err;
    const jsonlite::Value f = jsonlite::parse(full.out);
    EXPECT_NEAR(station(f, 3, 3)["full_ne"].number, 101.2, 1e-9);
    const jsonlite::Value& rec = f["records"][0];
    const double ratio = rec["total_fill"].number > 0 ? rec["total_cut"].number / rec["total_fill"].number : 0;
    EXPECT_NEAR(rec["cut_fill_ratio"].number, ratio, 1e-12);
    // The value is taken with two decimals, as the cell shows it.
    CliRun rounded = cli("force " + kRef + "small-6x5.fld --station C3 --value 100.226");
    ASSERT_EQ(rounded.status, 0) << rounded.err;
    EXPECT_NE(rounded.out.find("Forced C3 to 100.23 (full field design)."), std::string::npos) << rounded.out;

    // Sector view: only the sector holding C5 moves.
    CliRun plain = cli("design " + kRef + "three-sectors-40x30.fld --json");
    CliRun sector = cli("force " + kRef + "three-sectors-40x30.fld --station C5 --value 101.20 --sector-view --json");
    ASSERT_EQ(sector.status, 0) << sector.err;
    const jsonlite::Value a = jsonlite::parse(plain.out), b = jsonlite::parse(sector.out);
    EXPECT_NEAR(station(b, 3, 5)["sec_ne"].number, 101.2, 1e-9);
    EXPECT_EQ(station(b, 3, 5)["full_ne"].number, station(a, 3, 5)["full_ne"].number);
    EXPECT_EQ(station(b, 3, 25)["sec_ne"].number, station(a, 3, 25)["sec_ne"].number);
    EXPECT_EQ(b["records"][2]["cut_fill_ratio"].number, a["records"][2]["cut_fill_ratio"].number);
    EXPECT_NE(b["records"][1]["cut_fill_ratio"].number, a["records"][1]["cut_fill_ratio"].number);

    EXPECT_EQ(cli("force " + kRef + "small-6x5.fld --station 12 --value 100").status, 2);
    EXPECT_EQ(cli("force " + kRef + "small-6x5.fld --value 100").status, 2);
}

TEST(CommandLineTools, Render3dPaintsTheChosenSurfaceIntoAFile) {
    const std::string png = tempField("render") + ".png", svg = tempField("render") + ".svg";
    CliRun r = cli("render3d " + kRef + "three-sectors-40x30.fld --view sector --size 640x450 --png " + png + " --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const jsonlite::Value v = jsonlite::parse(r.out);
    EXPECT_EQ(v["view"].string, "Sector Design");
    EXPECT_EQ(v["cols"].number, 40);
    EXPECT_EQ(v["rows"].number, 30);
    EXPECT_EQ(v["y_scale"].number, 0.75);
    EXPECT_EQ(v["x_axis"][0].number, 100);
    EXPECT_EQ(v["x_axis"][1].number, 4000);
    EXPECT_EQ(v["y_axis"][1].number, 3000);
    EXPECT_EQ(v["color_scale"][0].number, v["min_reading"].number);
    EXPECT_EQ(v["color_scale"][1].number, v["max_reading"].number);
    const double m = (v["max_reading"].number + v["min_reading"].number) / 2;
    const double h = (v["max_reading"].number - v["min_reading"].number) / 2;
    EXPECT_NEAR(v["z_axis"][0].number, m - 1.25 * h, 1e-9);
    EXPECT_NEAR(v["z_axis"][1].number, m + 1.25 * h, 1e-9);
    EXPECT_GT(v["cells_drawn"].number, 1000);
    EXPECT_EQ(tarnwick::readWholeFile(png).value_or("").substr(0, 8), "\x89PNG\r\n\x1a\n");
    std::filesystem::remove(png);

    // Rod readings draw the z axis downwards; a field without sectors shows
    // its full design when the sector design is asked for.
    CliRun rod =
        cli("render3d " + kRef + "rod-metric-export-15x12.fld --view sector --angles 30,45 --svg " + svg + " --json");
    ASSERT_EQ(rod.status, 0) << rod.err;
    const jsonlite::Value w = jsonlite::parse(rod.out);
    EXPECT_EQ(w["view"].string, "Full Design");
    EXPECT_GT(w["z_axis"][0].number, w["z_axis"][1].number);
    EXPECT_NE(tarnwick::readWholeFile(svg).value_or("").find("<svg"), std::string::npos);
    std::filesystem::remove(svg);

    for (const char* bad : {"--view top --png x.png", "--view full", "--view full --png a.png --svg b.svg",
                            "--view full --size 0x10 --png x.png", "--view full --angles 70 --png x.png"})
        EXPECT_EQ(cli("render3d " + kRef + "small-6x5.fld " + bad).status, 2) << bad;
}
