#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/files/field_file.h"
#include "core/session/session.h"
#include "support/field_builder.h"
#include "support/scripted_prompt.h"
#include "core/base/text_file.h"

using namespace tarnwick;
using namespace tarnwick::test;
namespace fs = std::filesystem;

namespace {

const std::string kData = TARNWICK_TEST_DATA;

std::string slurp(const std::string& path) { return *readWholeFile(path); }

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("tarnwick-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    size_t count() const { return static_cast<size_t>(std::distance(fs::directory_iterator(path_), fs::directory_iterator())); }

private:
    fs::path path_;
};

}  // namespace

TEST(FieldFile, ExampleReadsAndWritesBackByteForByte) {
    const std::string text = slurp(kData + "/example-2x3.fld");
    Field f;
    ASSERT_EQ(readFieldText(text, f), ReadStatus::Ok);
    EXPECT_EQ(f.NumCols, 2);
    EXPECT_EQ(f.NumRows, 3);
    EXPECT_EQ(f.Survey.text(1, 2), "99.80");
    EXPECT_TRUE(f.Survey.text(2, 3).empty());
    EXPECT_EQ(f.FieldData[2][1].Weight, 0.5);
    EXPECT_EQ(f.Survey.picture(2, 1), kPicturePartial);
    EXPECT_EQ(f.fieldName, "Pivot 2");
    EXPECT_EQ(f.customerName, "Client 1");
    EXPECT_EQ(f.DesignRecords[0].RowSlope, 0.1);
    EXPECT_EQ(f.DesignRecords[0].LastRow, 3);
    EXPECT_EQ(fieldFileText(f), text);
    // 2 + 6 + 9 lines and one line per partial station.
    EXPECT_EQ(splitLines(text).size(), 18u);
}

TEST(FieldFile, EveryReferenceFieldRoundTripsThroughOpenAndSave) {
    TempDir dir;
    for (const char* name : {"small-6x5", "holes-partials-import-20x15", "rod-metric-export-15x12",
                             "three-sectors-40x30", "full-130x130"}) {
        ScriptedPrompt prompt;
        Session s(prompt);
        const std::string in = kData + "/reference/" + name + ".fld";
        ASSERT_TRUE(s.openField(in)) << name;
        ASSERT_TRUE(s.writeField(dir.file("out.fld")));
        EXPECT_EQ(slurp(in), slurp(dir.file("out.fld"))) << name;
        // The design values written are those the open recalculated: write
        // that file again and it must not change.
        Session again(prompt);
        ASSERT_TRUE(again.openField(dir.file("out.fld")));
        ASSERT_TRUE(again.writeField(dir.file("again.fld")));
        EXPECT_EQ(slurp(dir.file("out.fld")), slurp(dir.file("again.fld"))) << name;
        EXPECT_TRUE(prompt.messages.empty()) << name;
        // Without a recalculation in between, read and write is the identity.
        Field f;
        ASSERT_EQ(readFieldText(slurp(dir.file("out.fld")), f), ReadStatus::Ok);
        EXPECT_EQ(fieldFileText(f), slurp(dir.file("out.fld"))) << name;
    }
}

TEST(FieldFile, StationLinesAndWeights) {
    Field f = fieldFromRows({{"100.00", "101.00"}, {"100.50", ""}});
    f.FieldData[1][1].Weight = 0;    // written as a whole station
    f.FieldData[2][1].Weight = 0.25;
    f.FieldData[1][2].Weight = 1.5;
    const std::string text = fieldFileText(f);
    EXPECT_NE(text.find("\r\n150,150,\r\n"), std::string::npos);  // B2 empty, ends in a comma
    EXPECT_NE(text.find("\r\n2,1,0.25\r\n1,2,1.5\r\n"), std::string::npos);
    EXPECT_EQ(text.find("1,1,0"), std::string::npos);

    Field back;
    ASSERT_EQ(readFieldText(text, back), ReadStatus::Ok);
    fieldScan(back);
    EXPECT_EQ(back.FieldData[1][1].Weight, 1.0);
    EXPECT_EQ(back.FieldData[2][1].Weight, 0.25);

    // Commas after the second one stay in the cell's text.
    Field commas;
    std::string odd = text;
    odd.replace(odd.find("50,50,100.00"), 12, "50,50,1,2,3");
    ASSERT_EQ(readFieldText(odd, commas), ReadStatus::Ok);
    EXPECT_EQ(commas.Survey.text(1, 1), "1,2,3");
}

TEST(FieldFile, CommasInNamesNeverBreakTheHeader) {
    Field f = fieldFromRows({{"100.00", "101.00"}, {"100.50", "100.70"}});
    f.fieldName = "North, pivot";
    f.customerName = "Smith\r\nand sons";
    Field back;
    ASSERT_EQ(readFieldText(fieldFileText(f), back), ReadStatus::Ok);
    EXPECT_EQ(back.fieldName, "North  pivot");
    EXPECT_EQ(back.customerName, "Smith  and sons");
    EXPECT_EQ(back.NumCols, 2);
    EXPECT_EQ(back.Survey.text(2, 2), "100.70");
}

TEST(FieldFile, BlendFlagsAndUnitsOfTheHeader) {
    Field f;
    std::string text = slurp(kData + "/example-2x3.fld");
    text.replace(text.find("Client 1,0,0,"), 13, "Client 1,1,1,");
    text.replace(text.find("0,100,100,50,50,0,1,"), 20, "1,100,100,50,50,0,0,");
    ASSERT_EQ(readFieldText(text, f), ReadStatus::Ok);
    EXPECT_FALSE(f.blend.colChecked);  // the row box unchecks the column box
    EXPECT_TRUE(f.blend.rowChecked);
    EXPECT_TRUE(f.prefs.RodReadings);
    EXPECT_FALSE(f.prefs.feet);
    EXPECT_EQ(f.prefs.Divisor(), 1.0);
    EXPECT_EQ(f.prefs.rowSpacingText, "100");  // spacings stay what the file says
    EXPECT_NE(fieldFileText(f).find(",Client 1,0,1,0,2,3\r\n"), std::string::npos);  // carried through
}

TEST(FieldFile, VersionCheck) {
    TempDir dir;
    struct Case {
        const char* bytes;
        FieldFileKind kind;
    };
    const Case cases[] = {{"TW200\r\nrest", FieldFileKind::Current},   {"102,102\nx", FieldFileKind::Version1},
                          {"tw200\r\n", FieldFileKind::NotRecognised}, {"TW200 \r\n", FieldFileKind::NotRecognised},
                          {"", FieldFileKind::NotRecognised}};
    for (const auto& c : cases) {
        dir.write("f.fld", c.bytes);
        EXPECT_EQ(fieldFileKind(dir.file("f.fld")), c.kind) << c.bytes;
    }
    EXPECT_EQ(fieldFileKind(dir.file("missing.fld")), FieldFileKind::CannotOpen);
}

TEST(FieldFile, OldCellDumpWithItsSettingsRow) {
    std::string text = "102,102\r\ncw,0,64\r\n";
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 3; ++r) text += std::to_string(c) + "," + std::to_string(r) + "," + std::to_string(100 + r) + ".00\r\n";
    const char* settings[] = {"1", "50", "25", "1", "", "", "", "", "1.40", "Home", "Owner", "0", "1", "0",
                              "1", "3", "1", "3", "0.2", "0.1", "1.4", "10", "101"};
    for (int i = 0; i < 23; ++i) text += std::to_string(i + 1) + ",101," + settings[i] + "\r\n";
    text += "200,5,out of the grid\r\n";
    Field f;
    f.prefs.feet = false;
    ASSERT_EQ(readVersion1Text(text, f), ReadStatus::Ok);
    EXPECT_TRUE(f.prefs.RodReadings);
    EXPECT_TRUE(f.prefs.feet);
    EXPECT_EQ(f.prefs.rowSpacingText, "50");
    EXPECT_EQ(f.prefs.colSpacingText, "25");
    EXPECT_EQ(f.prefs.defaultRatioText, "1.40");
    EXPECT_EQ(f.fieldName, "Home");
    EXPECT_TRUE(f.blend.colEnabled);
    EXPECT_EQ(f.DesignRecords[0].LastCol, 3);
    EXPECT_EQ(f.DesignRecords[0].ImportExport, 10);
    EXPECT_EQ(f.Survey.text(1, 101), "");  // the settings row is emptied
    EXPECT_EQ(f.Survey.text(2, 3), "103.00");
    fieldScan(f);
    EXPECT_EQ(f.NumRows, 3);

    std::string broken = text;
    broken.replace(broken.find("12,101,0"), 8, "12,101,");
    Field g;
    EXPECT_EQ(readVersion1Text(broken, g), ReadStatus::InvalidFieldData);
}

TEST(FieldFile, FailedWriteLeavesTheOldFileWhole) {
    TempDir dir;
    dir.write("keep.fld", "old contents");
    EXPECT_FALSE(writeFileAtomically(dir.file("no-such-folder/x.fld"), "new"));
    EXPECT_TRUE(writeFileAtomically(dir.file("keep.fld"), "new contents"));
    EXPECT_EQ(slurp(dir.file("keep.fld")), "new contents");
    EXPECT_EQ(dir.count(), 1u);  // no temporary file left behind

    ScriptedPrompt prompt;
    Session s(prompt);
    s.field = fieldFromRows({{"100.00", "101.00"}, {"100.50", "100.70"}});
    s.field.prefs.rowSpacingText = "fifty";
    EXPECT_FALSE(s.writeField(dir.file("keep.fld")));
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"error: Error Writing this File: The distance between rows "
                                                        "\"fifty\" is not a whole number."});
    EXPECT_EQ(slurp(dir.file("keep.fld")), "new contents");
}

TEST(FieldFile, LineEndingsAndOldEightBitNames) {
    std::string text = slurp(kData + "/example-2x3.fld");
    std::string lf = text;
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.replace(p, 2, "\n");
    std::string latin = text;
    latin.replace(latin.find("Pivot 2"), 7, "Gr\xfcn 2");
    Field a, b;
    ASSERT_EQ(readFieldText(lf, a), ReadStatus::Ok);
    EXPECT_EQ(fieldFileText(a), text);
    ASSERT_EQ(readFieldText(latin, b), ReadStatus::Ok);
    EXPECT_EQ(b.fieldName, "Gr\xc3\xbcn 2");
}

TEST(FieldFile, NamesOfTwoEncodingsOnTheHeaderLine) {
    std::string text = slurp(kData + "/example-2x3.fld");
    text.replace(text.find("Pivot 2,Client 1"), 16, "Gr\xc3\xbcn 2,M\xfcller");
    text.replace(text.find("100.10"), 6, "100.10\xb0");  // a Latin-1 line of its own
    Field f;
    ASSERT_EQ(readFieldText(text, f), ReadStatus::Ok);
    EXPECT_EQ(f.fieldName, "Gr\xc3\xbcn 2");
    EXPECT_EQ(f.customerName, "M\xc3\xbcller");
    EXPECT_EQ(f.Survey.text(2, 1), "100.10\xc2\xb0");
    // A byte order mark before the magic is no reason to refuse the file.
    EXPECT_EQ(fieldTextKind("\xef\xbb\xbf" + text), FieldFileKind::Current);
    Field bom;
    ASSERT_EQ(readFieldText("\xef\xbb\xbf" + text, bom), ReadStatus::Ok);
    EXPECT_EQ(bom.customerName, "M\xc3\xbcller");
}

TEST(FieldFile, WriterCoversSectorsPastTheReadingsAndRefusesWhatWouldNotReadBack) {
    // Deleting the last column leaves a sector reaching past the readings:
    // the counts written cover it, so the file reads back with its sector.
    Field f = fieldFromRows({{"100.00", "101.00", "102.00"}, {"100.50", "100.70", "100.90"}});
    f.NumSectors = 1;
    f.DesignRecords[1] = {2, 1, 4, 2};
    const std::string text = fieldFileText(f);
    EXPECT_NE(text.find(",1,4,2\r\n"), std::string::npos);  // S, C, R
    Field back;
    ASSERT_EQ(readFieldText(text, back), ReadStatus::Ok);
    EXPECT_EQ(back.DesignRecords[1].LastCol, 4);
    fieldScan(back);
    EXPECT_EQ(back.NumCols, 3);
    EXPECT_EQ(fieldFileText(back), text);

    struct Case {
        const char* what;
        std::function<void(Field&)> damage;
    };
    const Case cases[] = {
        {"a reading beyond a million", [](Field& g) { g.Survey.setText(1, 1, "2000000"); }},
        {"a weight of 300 %", [](Field& g) { g.FieldData[1][1].Weight = 3; }},
        {"an infinite slope", [](Field& g) { g.DesignRecords[0].RowSlope = INFINITY; }},
        {"a ratio that is not a number", [](Field& g) { g.DesignRecords[0].CutFillRatio = NAN; }},
        {"an inverted sector", [](Field& g) { g.DesignRecords[1] = {2, 2, 1, 2}; }},
        {"a default ratio that is not one", [](Field& g) { g.prefs.defaultRatioText = "many"; }},
    };
    for (const Case& c : cases) {
        Field g = f;
        c.damage(g);
        EXPECT_THROW(fieldFileText(g), FieldFileError) << c.what;
    }
    Field zero = f;
    zero.prefs.colSpacingText = "0";
    EXPECT_THROW(fieldFileText(zero), SpacingError);

    // The session says why and writes nothing.
    TempDir dir;
    ScriptedPrompt prompt;
    Session s(prompt);
    s.field = f;
    s.field.DesignRecords[0].RowSlope = INFINITY;
    EXPECT_FALSE(s.writeField(dir.file("x.fld")));
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"error: Error Writing this File: a design value or sector lies "
                                                        "outside what a field file can hold"});
    EXPECT_EQ(dir.count(), 0u);
}
