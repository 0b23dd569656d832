#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/base/number_format.h"
#include "core/files/field_file.h"
#include "core/session/session.h"
#include "support/scripted_prompt.h"
#include "support/small_disk.h"
#include "core/base/text_file.h"

using namespace tarnwick;
using namespace tarnwick::test;
namespace fs = std::filesystem;

namespace {

const std::string kData = TARNWICK_TEST_DATA;

struct Fixture {
    ScriptedPrompt prompt;
    Session s{prompt};
    fs::path dir;
    Fixture() {
        dir = fs::temp_directory_path() / ("tarnwick-files-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Fixture() { fs::remove_all(dir); }
    std::string file(const char* name) { return (dir / name).string(); }
    void type(int stations) {
        for (int i = 0; i < stations; ++i) s.field.Survey.setText(i % 3 + 1, i / 3 + 1, formatFixed(100.0 + i * 0.1, 2));
        s.recalculate();
        s.FieldSaved = false;
    }
};

}  // namespace

TEST(CloseCommand, SaveQuestionFromFiveStations) {
    {
        Fixture f;
        f.type(4);
        f.prompt.answers = {Answer::Yes};
        EXPECT_TRUE(f.s.closeCommand());
        EXPECT_EQ(f.prompt.messages, std::vector<std::string>{"question: Exit Tarnwick?"});
    }
    {
        Fixture f;
        f.type(5);
        f.prompt.answers = {Answer::Yes, Answer::No};
        EXPECT_TRUE(f.s.closeCommand());
        EXPECT_EQ(f.prompt.messages, (std::vector<std::string>{"question: Exit Tarnwick?", "question: Save Data Before Closing?"}));
    }
    {
        Fixture f;
        f.type(5);
        f.prompt.answers = {Answer::No};
        EXPECT_FALSE(f.s.closeCommand());
    }
    {
        // Yes to saving, then the save dialog cancelled: the window stays.
        Fixture f;
        f.type(6);
        f.prompt.answers = {Answer::Yes, Answer::Yes};
        EXPECT_FALSE(f.s.closeCommand());
        f.prompt.answers = {Answer::Yes, Answer::Yes};
        f.prompt.files = {f.file("saved.fld")};
        EXPECT_TRUE(f.s.closeCommand());
        EXPECT_TRUE(fs::exists(f.file("saved.fld")));
    }
}

TEST(SaveCommands, SavedOnlyWhenAFileWasWritten) {
    Fixture f;
    f.type(9);
    EXPECT_FALSE(f.s.saveCommand());  // Untitled: Save As, dialog cancelled
    EXPECT_FALSE(f.s.FieldSaved);
    f.prompt.files = {f.file("a.fld")};
    EXPECT_TRUE(f.s.saveCommand());
    EXPECT_TRUE(f.s.FieldSaved);
    EXPECT_EQ(f.s.FFileName, f.file("a.fld"));

    f.s.finishEdit(2, 2, "101.00");
    EXPECT_FALSE(f.s.FieldSaved);
    f.prompt.files = {f.file("a.fld")};  // Save shows the dialog with the name
    EXPECT_TRUE(f.s.saveCommand());
    EXPECT_NE(readWholeFile(f.file("a.fld"))->find(",101.00\r\n"), std::string::npos);

    // Save As onto an existing file asks; only Yes writes.
    f.s.finishEdit(2, 2, "102.00");
    f.prompt.files = {f.file("a.fld")};
    f.prompt.answers = {Answer::Cancel};
    EXPECT_FALSE(f.s.saveAsCommand());
    EXPECT_EQ(f.prompt.messages.back(), "question: File Exists. OK to overwrite " + f.file("a.fld"));
    EXPECT_EQ(readWholeFile(f.file("a.fld"))->find(",102.00\r\n"), std::string::npos);
    f.prompt.files = {f.file("a.fld")};
    f.prompt.answers = {Answer::Yes};
    EXPECT_TRUE(f.s.saveAsCommand());
    EXPECT_TRUE(f.s.FieldSaved);
    EXPECT_NE(readWholeFile(f.file("a.fld"))->find(",102.00\r\n"), std::string::npos);
}

TEST(SaveCommands, ReadingsTypedWithoutRecalculationAreSaved) {
    Fixture f;
    f.type(6);
    f.s.setAutoReCalc(false);
    f.s.finishEdit(4, 4, "99.00");  // beyond the last recalculated rectangle
    f.prompt.files = {f.file("b.fld")};
    ASSERT_TRUE(f.s.saveAsCommand());
    Session back(f.prompt);
    ASSERT_TRUE(back.openField(f.file("b.fld")));
    EXPECT_EQ(back.field.Survey.text(4, 4), "99.00");
}

TEST(OpenCommand, AsksToSaveUnsavedChangesFirst) {
    Fixture f;
    f.type(6);
    f.prompt.answers = {Answer::Cancel};
    f.prompt.files = {kData + "/reference/small-6x5.fld"};
    EXPECT_FALSE(f.s.openCommand());
    EXPECT_EQ(f.prompt.messages, std::vector<std::string>{"question: Save Data Before Closing?"});
    EXPECT_EQ(f.s.field.NumStations, 6);

    f.prompt.answers = {Answer::No};
    EXPECT_TRUE(f.s.openCommand());
    EXPECT_EQ(f.s.field.NumStations, 30);
    EXPECT_EQ(f.s.FFileName, kData + "/reference/small-6x5.fld");
    EXPECT_TRUE(f.s.FieldSaved == false);

    // Open, Save As, reopen: the same design.
    f.prompt.files = {f.file("copy.fld")};
    ASSERT_TRUE(f.s.saveAsCommand());
    const double cut = f.s.summary.cut;
    f.prompt.messages.clear();
    f.prompt.files = {f.file("copy.fld")};
    EXPECT_TRUE(f.s.openCommand());  // saved: no question
    EXPECT_TRUE(f.prompt.messages.empty());
    EXPECT_EQ(f.s.summary.cut, cut);
}

// A field file reopens with the design it holds, whatever "Use Best Fit
// Slopes" said before Open; saving it again writes the same bytes.
TEST(OpenCommand, ShowsTheDesignTheFileHolds) {
    for (const char* name : {"full-130x130", "three-sectors-40x30"})
        for (const bool checkedBefore : {false, true}) {
            SCOPED_TRACE(std::string(name) + (checkedBefore ? ", box checked" : ", box unchecked"));
            Fixture f;
            const std::string in = kData + "/reference/" + name + ".fld";
            Field stored;
            ASSERT_EQ(readFieldText(*readWholeFile(in), stored), ReadStatus::Ok);
            Session plain(f.prompt);
            ASSERT_TRUE(plain.openField(in));

            f.s.useBestFitSlopes = checkedBefore;
            ASSERT_TRUE(f.s.openFieldCommand(in));
            EXPECT_FALSE(f.s.useBestFitSlopes);
            const TDesignRecord& rec = f.s.field.DesignRecords[0];
            EXPECT_EQ(rec.RowSlope, stored.DesignRecords[0].RowSlope);
            EXPECT_EQ(rec.ColSlope, stored.DesignRecords[0].ColSlope);
            ASSERT_NE(formatFixed(rec.RowSlope, 3), f.s.info.RSBest);  // the fault would show
            EXPECT_EQ(rec.TotalCut, plain.field.DesignRecords[0].TotalCut);
            EXPECT_EQ(f.s.summary.cut, plain.summary.cut);

            f.prompt.files = {f.file("again.fld")};
            ASSERT_TRUE(f.s.saveAsCommand());
            EXPECT_EQ(readWholeFile(f.file("again.fld")), readWholeFile(in));

            // Ticking the box afterwards designs with the best-fit slopes.
            f.s.setUseBestFitSlopes(true);
            EXPECT_EQ(formatFixed(f.s.field.DesignRecords[0].RowSlope, 3), f.s.info.RSBest);
        }
}

TEST(NewCommand, ClearsAfterTheQuestion) {
    Fixture f;
    f.s.newField();
    EXPECT_TRUE(f.prompt.messages.empty());  // nothing to clear
    f.type(6);
    f.s.FFileName = "x.fld";
    f.prompt.answers = {Answer::No, Answer::No};  // not saved, not cleared
    f.s.newField();
    EXPECT_EQ(f.s.field.NumStations, 6);
    f.s.field.prefs.defaultRatioText = "1.40";
    f.s.field.DesignRecords[0].ImportExport = 50;
    f.prompt.messages.clear();
    f.prompt.answers = {Answer::No, Answer::Yes};
    f.s.newField();
    EXPECT_EQ(f.prompt.messages,
              (std::vector<std::string>{"question: Save Data Before Closing?", "question: Clear Current Field Data?"}));
    EXPECT_EQ(f.s.FFileName, "Untitled");
    EXPECT_EQ(f.s.field.NumStations, 0);
    EXPECT_TRUE(f.s.field.Survey.text(1, 1).empty());
    EXPECT_TRUE(f.s.useBestFitSlopes);
    EXPECT_EQ(f.s.panel.ratio, "1.40");
    EXPECT_EQ(f.s.panel.importExport, "0");
    EXPECT_EQ(f.s.field.DesignRecords[0].ImportExport, 0);
    EXPECT_TRUE(f.s.info.avgEl.empty());
    EXPECT_TRUE(f.s.results.yardbookText(1, 1).empty());

    // The main window starts with the field as New leaves it.
    Session start(f.prompt);
    start.field.prefs.defaultRatioText = "1.40";
    start.clearForNewField();
    for (const Session* s : {&start, &f.s}) {
        EXPECT_EQ(s->panel.ratio, "1.40");
        EXPECT_EQ(s->panel.colSlope, "0.000");
        EXPECT_EQ(s->panel.rowSlope, "0.000");
        EXPECT_EQ(s->panel.importExport, "0");
        EXPECT_TRUE(s->useBestFitSlopes);
        EXPECT_EQ(s->field.DesignRecords[0].CutFillRatio, 1.4);
        EXPECT_EQ(s->FFileName, "Untitled");
    }
}

TEST(DesignPanel, BoxRules) {
    Fixture f;
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c) f.s.field.Survey.setText(c, r, formatFixed(100 + 0.1 * c - 0.05 * r + (c * r % 4) * 0.03, 2));
    f.s.useBestFitSlopes = true;
    f.s.recalculate();
    ASSERT_TRUE(f.s.useBestFitSlopes);

    f.s.enterDesignBox(DesignBox::RowSlope, "0.100");
    EXPECT_EQ(f.s.designBoxTyped(DesignBox::RowSlope, "25"), std::optional<std::string>("0.100"));
    EXPECT_EQ(f.prompt.messages.back(), "beep");
    EXPECT_FALSE(f.s.designBoxTyped(DesignBox::RowSlope, "-25"));
    EXPECT_FALSE(f.s.designBoxTyped(DesignBox::ImportExport, "250"));

    // Leaving with the value it had does nothing.
    const double cut = f.s.field.DesignRecords[0].TotalCut;
    f.s.enterDesignBox(DesignBox::Ratio, "1.25");
    f.s.leaveDesignBox(DesignBox::Ratio, "1.25");
    EXPECT_EQ(f.s.field.DesignRecords[0].TotalCut, cut);

    f.s.enterDesignBox(DesignBox::Ratio, "1.25");
    f.s.leaveDesignBox(DesignBox::Ratio, "1.5");
    EXPECT_EQ(f.s.field.DesignRecords[0].CutFillRatio, 1.5);
    EXPECT_NEAR(f.s.field.DesignRecords[0].TotalCut / f.s.field.DesignRecords[0].TotalFill, 1.5, 0.05);
    EXPECT_EQ(f.s.panel.ratio, "1.50");

    f.s.enterDesignBox(DesignBox::ColSlope, f.s.panel.colSlope);
    f.s.leaveDesignBox(DesignBox::ColSlope, "-0.250");
    EXPECT_FALSE(f.s.useBestFitSlopes);
    EXPECT_EQ(f.s.field.DesignRecords[0].ColSlope, -0.25);
    EXPECT_EQ(f.s.panel.colSlope, "-0.250");
    EXPECT_EQ(f.s.panel.compSlope, formatFixed(std::sqrt(0.0625 + f.s.field.DesignRecords[0].RowSlope * f.s.field.DesignRecords[0].RowSlope), 3));

    f.s.enterDesignBox(DesignBox::ImportExport, "0");
    f.s.leaveDesignBox(DesignBox::ImportExport, "40");
    const TDesignRecord& r = f.s.field.DesignRecords[0];
    EXPECT_LT(std::fabs(40 + r.TotalCut / 1.5 - r.TotalFill), 1.0);
    EXPECT_FALSE(f.s.FieldSaved);
}

// Save onto a disk that fills up or turns read-only: the message says why,
// the old file stays byte for byte, and the field is not marked saved.
TEST(SaveCommand, FullOrReadOnlyDiskKeepsTheOldFileAndSaysWhy) {
    Fixture f;
    SmallDisk disk(f.dir.string());
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here: " << disk.error();
    const std::string old = "TW200\r\nan older field\r\n";
    std::ofstream(f.file("field.fld"), std::ios::binary) << old;
    f.s.openField(kData + "/reference/full-130x130.fld");  // some 300 KB: more than the disk holds
    ASSERT_EQ(f.s.field.NumStations, 130 * 130);
    f.s.FFileName = f.file("field.fld");
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "full");
        if (readOnly) {
            ASSERT_TRUE(disk.makeReadOnly());
        }
        f.prompt.messages.clear();
        f.prompt.files = {f.file("field.fld")};
        f.s.FieldSaved = false;
        EXPECT_FALSE(f.s.saveCommand());
        EXPECT_EQ(f.prompt.messages, std::vector<std::string>{std::string("error: Error Writing this File: ") +
                                                              (readOnly ? "Read-only file system"
                                                                        : "No space left on device")});
        EXPECT_FALSE(f.s.FieldSaved);
        EXPECT_EQ(readWholeFile(f.file("field.fld")), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(f.dir), fs::directory_iterator()), 1);
    }
}
