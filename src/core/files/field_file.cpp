#include "core/files/field_file.h"

#include <algorithm>

#include "core/base/number_format.h"
#include "core/base/text_file.h"

namespace tarnwick {
namespace {

constexpr int kV1SettingsRow = 101;

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

bool parseRecordLines(const std::vector<std::string>& lines, size_t& li, TDesignRecord& rec) {
    if (li + 9 > lines.size()) return false;
    auto i1 = parseInt(lines[li]), i2 = parseInt(lines[li + 1]), i3 = parseInt(lines[li + 2]),
         i4 = parseInt(lines[li + 3]);
    if (!i1 || !i2 || !i3 || !i4) return false;
    rec.FirstCol = *i1;
    rec.LastCol = *i2;
    rec.FirstRow = *i3;
    rec.LastRow = *i4;
    double* targets[5] = {&rec.RowSlope, &rec.ColSlope, &rec.CutFillRatio, &rec.ImportExport, &rec.AvgElevation};
    for (int k = 0; k < 5; ++k) {
        auto v = parseNumber(lines[li + 4 + static_cast<size_t>(k)]);
        if (!v) return false;
        *targets[k] = *v;
    }
    li += 9;
    return true;
}

}  // namespace

FieldFileKind fieldTextKind(const std::string& bytes) {
    const std::string first = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (first == kFieldFileMagicV1) return FieldFileKind::Version1;
    if (first == kFieldFileMagic) return FieldFileKind::Current;
    return FieldFileKind::NotRecognised;
}

FieldFileKind fieldFileKind(const std::string& path) {
    auto bytes = readWholeFile(path);
    return bytes ? fieldTextKind(*bytes) : FieldFileKind::CannotOpen;
}

ReadStatus readFieldText(const std::string& text, Field& f) {
    const std::vector<std::string> lines = splitLines(toUtf8(text));
    if (lines.size() < 2) return ReadStatus::ReadError;
    std::vector<std::string> h = splitFields(lines[1], 15);
    auto field = [&](size_t n) -> const std::string* { return n <= h.size() ? &h[n - 1] : nullptr; };

    if (auto p = field(1)) {
        f.prefs.RodReadings = *p == "1";
    }
    if (auto p = field(2)) f.prefs.rowSpacingText = *p;
    if (auto p = field(3)) f.prefs.colSpacingText = *p;
    if (auto p = field(7)) f.prefs.feet = *p == "1";
    if (auto p = field(8)) f.prefs.defaultRatioText = *p;
    if (auto p = field(9)) f.fieldName = *p;
    if (auto p = field(10)) f.customerName = *p;
    if (auto p = field(11)) f.blend.colChecked = *p == "1";
    if (auto p = field(12)) {
        f.blend.rowChecked = *p == "1";
        if (f.blend.rowChecked) f.blend.colChecked = false;
    }
    if (h.size() < 15) return ReadStatus::ReadError;
    auto sectors = parseInt(h[12]), cols = parseInt(h[13]), rows = parseInt(h[14]);
    if (!sectors || !cols || !rows || *sectors < 0 || *sectors > kMaxSectors || *cols < 0 ||
        *cols > kMaxStationCols || *rows < 0 || *rows > kMaxStationRows)
        return ReadStatus::ReadError;
    f.NumSectors = *sectors;
    f.NumCols = *cols;
    f.NumRows = *rows;

    size_t li = 2;
    for (int c = 1; c <= f.NumCols; ++c)
        for (int r = 1; r <= f.NumRows; ++r) {
            if (li >= lines.size()) return ReadStatus::ReadError;
            const std::string& line = lines[li++];
            size_t first = line.find(',');
            size_t second = first == std::string::npos ? first : line.find(',', first + 1);
            if (second == std::string::npos) return ReadStatus::ReadError;
            f.Survey.setText(c, r, line.substr(second + 1));
        }

    for (int k = 0; k <= f.NumSectors; ++k)
        if (!parseRecordLines(lines, li, f.DesignRecords[static_cast<size_t>(k)])) return ReadStatus::ReadError;

    f.sizeFieldData(f.NumCols, f.NumRows);
    for (; li < lines.size(); ++li) {
        const std::string& line = lines[li];
        if (line.empty()) continue;
        std::vector<std::string> w = splitFields(line, 3);
        if (w.size() < 3) return ReadStatus::ReadError;
        auto col = parseInt(w[0]), row = parseInt(w[1]);
        auto weight = parseNumber(w[2]);
        if (!col || !row || !weight) return ReadStatus::ReadError;
        TFieldData* s = f.station(*col, *row);
        if (!s || *col < 1 || *row < 1) return ReadStatus::ReadError;
        s->Weight = *weight;
        if (*weight != 1) f.Survey.setPicture(*col, *row, kPicturePartial);
    }
    return ReadStatus::Ok;
}

ReadStatus readVersion1Text(const std::string& text, Field& f) {
    const std::vector<std::string> lines = splitLines(toUtf8(text));
    SurveyGrid& g = f.Survey;
    for (size_t li = 1; li < lines.size(); ++li) {
        const std::string& line = lines[li];
        if (line.rfind("cw", 0) == 0) continue;
        std::vector<std::string> parts = splitFields(line, 3);
        if (parts.size() < 3) continue;
        auto col = parseInt(parts[0]), row = parseInt(parts[1]);
        if (!col || !row || *col < 1 || *row < 1 || !g.inside(*col, *row)) continue;
        g.setText(*col, *row, parts[2]);
    }

    auto cell = [&](int col) { return g.text(col, kV1SettingsRow); };
    f.prefs.RodReadings = cell(1) == "1";
    f.prefs.rowSpacingText = cell(2);
    f.prefs.colSpacingText = cell(3);
    if (cell(4) == "1") f.prefs.feet = true;
    f.prefs.defaultRatioText = cell(9);
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
    for (int c = 1; c < g.colCount(); ++c) g.setText(c, kV1SettingsRow, {});
    return ReadStatus::Ok;
}

std::string headerSafeName(const std::string& name) {
    std::string out = name;
    std::replace_if(out.begin(), out.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }, ' ');
    return out;
}

std::string fieldFileText(const Field& f) {
    const int rowSp = f.prefs.rowSpacing();
    const int colSp = f.prefs.colSpacing();
    std::string out;
    out.reserve(static_cast<size_t>(f.NumCols * f.NumRows) * 20 + 512);
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
         (f.blend.rowChecked ? "1" : "0") + sep + std::to_string(f.NumSectors) + sep + std::to_string(f.NumCols) +
         sep + std::to_string(f.NumRows));
    for (int c = 1; c <= f.NumCols; ++c)
        for (int r = 1; r <= f.NumRows; ++r) {
            int x = (r - 1) * colSp + colSp / 2;
            int y = (c - 1) * rowSp + rowSp / 2;
            line(std::to_string(x) + sep + std::to_string(y) + sep + f.Survey.text(c, r));
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
            if (w != 1 && w != 0)
                line(std::to_string(c) + sep + std::to_string(r) + sep + formatShortest(w));
        }
    return out;
}

}  // namespace tarnwick
