#include "core/files/field_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/design/design_forms.h"
#include "core/files/preferences_rules.h"

namespace tarnwick {
namespace {

constexpr int kV1SettingsRow = 101;
constexpr double kMinPartialWeight = PartialStationForm::kMin / 100;
constexpr double kMaxPartialWeight = PartialStationForm::kMax / 100;

// Splits off `count` fields at the first comma each time; the last field
// takes the rest of the line.
std::vector<std::string> splitFields(const std::string& line, size_t count) {
    std::vector<std::string> out;
    size_t start = 0;
    while (out.size() + 1 < count) {
        size_t comma = line.find(',', start);
        if (comma == std::string::npos) break;
        out.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    out.push_back(line.substr(start));
    return out;
}

bool within(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

// A survey cell's reading (a text that holds no number reads as 0).
bool readingInRange(const SurveyGrid& g, int col, int row) {
    return within(g.reading(col, row), -kMaxFileReading, kMaxFileReading);
}

bool weightInRange(double w) { return w == 1.0 || within(w, kMinPartialWeight, kMaxPartialWeight); }

bool spanInRange(int first, int last, int lowest, int highest) {
    return first >= lowest && first <= last && last <= highest;
}

// The records of the whole field and of `sectors` sectors, in a field of
// `cols` x `rows` stations.
bool recordsInRange(const Field& f, int sectors, int cols, int rows) {
    for (int k = 0; k <= sectors; ++k) {
        const TDesignRecord& r = f.DesignRecords[static_cast<size_t>(k)];
        if (k == 0) {
            const bool never = r.FirstCol == 0 && r.LastCol == 0 && r.FirstRow == 0 && r.LastRow == 0;
            if (!never && !(spanInRange(r.FirstCol, r.LastCol, 1, kMaxStationCols) &&
                            spanInRange(r.FirstRow, r.LastRow, 1, kMaxStationRows)))
                return false;
        } else if (!spanInRange(r.FirstCol, r.LastCol, 1, cols) || !spanInRange(r.FirstRow, r.LastRow, 1, rows)) {
            return false;
        }
        for (double v : {r.RowSlope, r.ColSlope, r.CutFillRatio, r.AvgElevation})
            if (!within(v, -kMaxDesignValue, kMaxDesignValue)) return false;
        if (!within(r.ImportExport, kMinImportExport, kMaxImportExport)) return false;
        // No station in two sectors: the totals would count it twice.
        for (int j = 1; k > 0 && j < k; ++j) {
            const TDesignRecord& o = f.DesignRecords[static_cast<size_t>(j)];
            if (r.FirstCol <= o.LastCol && o.FirstCol <= r.LastCol && r.FirstRow <= o.LastRow &&
                o.FirstRow <= r.LastRow)
                return false;
        }
    }
    return true;
}

bool preferencesInRange(const Preferences& p) {
    return spacingValue(p.rowSpacingText) && spacingValue(p.colSpacingText) &&
           defaultRatioTextValid(p.defaultRatioText);
}

bool parseRecordLines(TextLines& lines, TDesignRecord& rec) {
    std::string line[9];
    for (auto& l : line)
        if (!lines.next(l)) return false;
    auto i1 = parseInt(line[0]), i2 = parseInt(line[1]), i3 = parseInt(line[2]), i4 = parseInt(line[3]);
    if (!i1 || !i2 || !i3 || !i4) return false;
    rec.FirstCol = *i1;
    rec.LastCol = *i2;
    rec.FirstRow = *i3;
    rec.LastRow = *i4;
    double* targets[5] = {&rec.RowSlope, &rec.ColSlope, &rec.CutFillRatio, &rec.ImportExport, &rec.AvgElevation};
    for (int k = 0; k < 5; ++k) {
        auto v = parseNumber(line[4 + k]);
        if (!v) return false;
        *targets[k] = *v;
    }
    return true;
}

}  // namespace

FieldFileKind fieldTextKind(const std::string& bytes) {
    const std::string_view first = firstLine(bytes);
    if (first == kFieldFileMagicV1) return FieldFileKind::Version1;
    if (first == kFieldFileMagic) return FieldFileKind::Current;
    return FieldFileKind::NotRecognised;
}

FieldFileKind fieldFileKind(const std::string& path) {
    const TextFileRead file = readTextFile(path);
    return file.outcome == ReadOutcome::CannotOpen ? FieldFileKind::CannotOpen : fieldTextKind(file.bytes);
}

ReadStatus readFieldText(const std::string& text, Field& f) {
    if (checkTextLimits(text) != ReadOutcome::Ok) return ReadStatus::ReadError;
    TextLines lines(text);
    std::string line;
    std::string_view header;
    if (!lines.next(line) || !lines.nextBytes(header)) return ReadStatus::ReadError;
    // Each field of the header is decoded on its own: the field name may
    // have been typed on a computer writing UTF-8 and the customer's name on
    // one writing an 8-bit code page.
    std::vector<std::string> h = splitFields(std::string(header), 15);
    if (h.size() < 15) return ReadStatus::ReadError;
    for (std::string& field : h) field = toUtf8(field);
    auto sectors = parseInt(h[12]), cols = parseInt(h[13]), rows = parseInt(h[14]);
    if (!sectors || !cols || !rows || *sectors < 0 || *sectors > kMaxSectors || *cols < 0 ||
        *cols > kMaxStationCols || *rows < 0 || *rows > kMaxStationRows)
        return ReadStatus::ReadError;

    f.prefs.RodReadings = h[0] == "1";
    f.prefs.rowSpacingText = h[1];
    f.prefs.colSpacingText = h[2];
    f.prefs.feet = h[6] == "1";
    f.prefs.defaultRatioText = h[7];
    if (!preferencesInRange(f.prefs)) return ReadStatus::ReadError;
    f.fieldName = h[8];
    f.customerName = h[9];
    f.blend.colChecked = h[10] == "1";
    f.blend.rowChecked = h[11] == "1";
    if (f.blend.rowChecked) f.blend.colChecked = false;
    f.NumSectors = *sectors;
    f.NumCols = *cols;
    f.NumRows = *rows;

    // X and Y are never read back; the reading is everything after them.
    for (int c = 1; c <= f.NumCols; ++c)
        for (int r = 1; r <= f.NumRows; ++r) {
            if (!lines.next(line)) return ReadStatus::ReadError;
            const size_t first = line.find(',');
            const size_t second = first == std::string::npos ? first : line.find(',', first + 1);
            if (second == std::string::npos) return ReadStatus::ReadError;
            f.Survey.setText(c, r, line.substr(second + 1));
            if (!readingInRange(f.Survey, c, r)) return ReadStatus::ReadError;
        }

    for (int k = 0; k <= f.NumSectors; ++k)
        if (!parseRecordLines(lines, f.DesignRecords[static_cast<size_t>(k)])) return ReadStatus::ReadError;
    if (!recordsInRange(f, f.NumSectors, f.NumCols, f.NumRows)) return ReadStatus::ReadError;

    // The weights run to the end of the file; the format gives no count.
    f.sizeFieldData(f.NumCols, f.NumRows);
    while (lines.next(line)) {
        if (line.empty()) continue;
        std::vector<std::string> w = splitFields(line, 3);
        if (w.size() < 3) return ReadStatus::ReadError;
        auto col = parseInt(w[0]), row = parseInt(w[1]);
        auto weight = parseNumber(w[2]);
        if (!col || !row || !weight || *col < 1 || *col > f.NumCols || *row < 1 || *row > f.NumRows ||
            !weightInRange(*weight))
            return ReadStatus::ReadError;
        f.FieldData[static_cast<size_t>(*col)][static_cast<size_t>(*row)].Weight = *weight;
        if (*weight != 1) f.Survey.setPicture(*col, *row, kPicturePartial);
    }
    return ReadStatus::Ok;
}

ReadStatus readVersion1Text(const std::string& text, Field& f) {
    if (checkTextLimits(text) != ReadOutcome::Ok) return ReadStatus::InvalidFieldData;
    SurveyGrid& g = f.Survey;
    TextLines lines(text);
    std::string line;
    lines.next(line);  // "102,102"
    while (lines.next(line)) {
        if (line.rfind("cw", 0) == 0) continue;
        std::vector<std::string> parts = splitFields(line, 3);
        if (parts.size() < 3) continue;
        auto col = parseInt(parts[0]), row = parseInt(parts[1]);
        if (!col || !row || *col < 1 || *row < 1 || !g.inside(*col, *row)) continue;
        g.setText(*col, *row, std::move(parts[2]));
        if (*row != kV1SettingsRow && !readingInRange(g, *col, *row)) return ReadStatus::InvalidFieldData;
    }

    auto cell = [&](int col) { return col < g.colCount() ? g.text(col, kV1SettingsRow) : std::string(); };
    f.prefs.RodReadings = cell(1) == "1";
    f.prefs.rowSpacingText = cell(2);
    f.prefs.colSpacingText = cell(3);
    if (cell(4) == "1") f.prefs.feet = true;
    f.prefs.defaultRatioText = cell(9);
    if (!preferencesInRange(f.prefs)) return ReadStatus::InvalidFieldData;
    f.fieldName = cell(10);
    f.customerName = cell(11);
    auto sectors = parseInt(cell(12));
    if (!sectors || *sectors < 0 || *sectors > kMaxSectors) return ReadStatus::InvalidFieldData;
    f.NumSectors = *sectors;
    f.blend.colEnabled = cell(13) == "1";
    f.blend.rowEnabled = cell(14) == "1";
    for (int k = 0; k <= f.NumSectors; ++k) {
        int base = 15 + 9 * k;
        TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        auto i1 = parseInt(cell(base)), i2 = parseInt(cell(base + 1)), i3 = parseInt(cell(base + 2)),
             i4 = parseInt(cell(base + 3));
        if (!i1 || !i2 || !i3 || !i4) return ReadStatus::InvalidFieldData;
        rec.FirstCol = *i1;
        rec.LastCol = *i2;
        rec.FirstRow = *i3;
        rec.LastRow = *i4;
        rec.RowSlope = parseReading(cell(base + 4));
        rec.ColSlope = parseReading(cell(base + 5));
        rec.CutFillRatio = parseReading(cell(base + 6));
        rec.ImportExport = parseReading(cell(base + 7));
        rec.AvgElevation = parseReading(cell(base + 8));
    }
    // The old layout does not say how far the field reaches: its sectors
    // must lie on the station grid.
    if (!recordsInRange(f, f.NumSectors, kMaxStationCols, kMaxStationRows)) return ReadStatus::InvalidFieldData;
    for (int c = 1; c < g.colCount(); ++c) g.setText(c, kV1SettingsRow, {});
    return ReadStatus::Ok;
}

std::string headerSafeName(const std::string& name) {
    std::string out = name;
    std::replace_if(out.begin(), out.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }, ' ');
    return out;
}

std::string fieldFileText(const Field& f) {
    const long long rowSp = f.prefs.rowSpacing();
    const long long colSp = f.prefs.colSpacing();
    if (!defaultRatioTextValid(f.prefs.defaultRatioText))
        throw FieldFileError("the default cut/fill ratio \"" + f.prefs.defaultRatioText + "\" is not a ratio");
    if (f.NumSectors < 0 || f.NumSectors > kMaxSectors || f.NumCols < 0 || f.NumCols > kMaxStationCols ||
        f.NumRows < 0 || f.NumRows > kMaxStationRows)
        throw FieldFileError("the field is larger than 130 x 130 stations");
    // Every sector inside the columns and rows written, also one that a
    // deleted row or column left past the last reading.
    int cols = f.NumCols, rows = f.NumRows;
    for (int k = 1; k <= f.NumSectors; ++k) {
        const TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        cols = std::clamp(rec.LastCol, cols, kMaxStationCols);
        rows = std::clamp(rec.LastRow, rows, kMaxStationRows);
    }
    if (!recordsInRange(f, f.NumSectors, cols, rows))
        throw FieldFileError("a design value or sector lies outside what a field file can hold");

    std::string out;
    out.reserve(static_cast<size_t>(cols * rows) * 20 + 512);
    auto line = [&out](const std::string& s) {
        out += s;
        out += "\r\n";
    };
    line(kFieldFileMagic);
    const char* sep = ",";
    line((f.prefs.RodReadings ? std::string("1") : std::string("0")) + sep + f.prefs.rowSpacingText + sep +
         f.prefs.colSpacingText + sep + std::to_string(colSp / 2) + sep + std::to_string(rowSp / 2) + sep + "0" +
         sep + (f.prefs.feet ? "1" : "0") + sep + f.prefs.defaultRatioText + sep + headerSafeName(f.fieldName) +
         sep + headerSafeName(f.customerName) + sep + (f.blend.colChecked ? "1" : "0") + sep +
         (f.blend.rowChecked ? "1" : "0") + sep + std::to_string(f.NumSectors) + sep + std::to_string(cols) +
         sep + std::to_string(rows));
    // Up to 16,900 station lines: appended piece by piece.
    auto number = [&out](long long v) {
        char buf[24];
        out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    };
    for (int c = 1; c <= cols; ++c)
        for (int r = 1; r <= rows; ++r) {
            if (!readingInRange(f.Survey, c, r))
                throw FieldFileError("the reading of " + stationName(c, r) + " is beyond +-1,000,000");
            number((r - 1) * colSp + colSp / 2);
            out += ',';
            number((c - 1) * rowSp + rowSp / 2);
            out += ',';
            out += f.Survey.text(c, r);
            out += "\r\n";
        }
    for (int k = 0; k <= f.NumSectors; ++k) {
        const TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        line(std::to_string(rec.FirstCol));
        line(std::to_string(rec.LastCol));
        line(std::to_string(rec.FirstRow));
        line(std::to_string(rec.LastRow));
        line(formatFixed(rec.RowSlope, 3));
        line(formatFixed(rec.ColSlope, 3));
        line(formatFixed(rec.CutFillRatio, 2));
        line(formatFixed(rec.ImportExport, 0));
        line(formatFixed(rec.AvgElevation, 2));
    }
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c) {
            double w = f.weight(c, r);
            if (w == 1 || w == 0) continue;
            if (!weightInRange(w))
                throw FieldFileError("the weight of " + stationName(c, r) + " is not 5 % to 200 %");
            line(std::to_string(c) + sep + std::to_string(r) + sep + formatShortest(w));
        }
    return out;
}

}  // namespace tarnwick
