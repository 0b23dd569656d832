// The designs of the reference fields, compared number by number with the
// designs an independent implementation computed for them.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "core/session/design_report.h"
#include "core/session/session.h"
#include "support/json_lite.h"
#include "support/scripted_prompt.h"
#include "core/base/text_file.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const std::string kRef = std::string(TARNWICK_TEST_DATA) + "/reference/";

std::string readMaybeGzip(const std::string& path) {
    gzFile gz = gzopen(path.c_str(), "rb");
    if (!gz) return {};
    std::string out;
    char buf[65536];
    int n;
    while ((n = gzread(gz, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    gzclose(gz);
    return out;
}

void compare(const jsonlite::Value& ours, const jsonlite::Value& ref, const std::string& path, int& diffs) {
    using K = jsonlite::Value::Kind;
    if (diffs > 10) return;
    if (ref.kind == K::Object) {
        for (const auto& [key, value] : ref.object) {
            if (!ours.has(key)) {
                ADD_FAILURE() << path << "." << key << " missing";
                ++diffs;
                continue;
            }
            compare(ours[key], value, path + "." + key, diffs);
        }
    } else if (ref.kind == K::Array) {
        if (ours.size() != ref.size()) {
            ADD_FAILURE() << path << " has " << ours.size() << " entries, reference " << ref.size();
            ++diffs;
            return;
        }
        for (size_t i = 0; i < ref.size(); ++i) compare(ours[i], ref[i], path + "[" + std::to_string(i) + "]", diffs);
    } else if (ref.kind == K::Number) {
        if (ours.kind != K::Number || std::fabs(ours.number - ref.number) > 1e-9 * std::max(1.0, std::fabs(ref.number))) {
            ADD_FAILURE() << path << ": " << (ours.kind == K::Number ? std::to_string(ours.number) : "not a number")
                          << " vs reference " << ref.number;
            ++diffs;
        }
    } else if (ours.kind != ref.kind || ours.string != ref.string) {
        ADD_FAILURE() << path << " differs";
        ++diffs;
    }
}

struct RefCase {
    const char* name;
    bool bestFit;
};
void PrintTo(const RefCase& c, std::ostream* os) { *os << c.name << (c.bestFit ? " --best-fit" : ""); }

class ReferenceDesign : public ::testing::TestWithParam<RefCase> {};

}  // namespace

TEST_P(ReferenceDesign, MatchesTheIndependentDesign) {
    const RefCase c = GetParam();
    const std::string base = kRef + c.name;
    std::string refText = readMaybeGzip(base + (c.bestFit ? ".design-best-fit.json" : ".design.json") +
                                        (std::string(c.name).rfind("full", 0) == 0 ? ".gz" : ""));
    ASSERT_FALSE(refText.empty());
    ScriptedPrompt prompt;
    Session s(prompt);
    ASSERT_TRUE(s.openField(base + ".fld"));
    if (c.bestFit) s.setUseBestFitSlopes(true);  // ticked after Open, as --best-fit does
    EXPECT_TRUE(prompt.messages.empty());
    int diffs = 0;
    compare(jsonlite::parse(designJson(s)), jsonlite::parse(refText), "", diffs);
    EXPECT_EQ(diffs, 0);
}

INSTANTIATE_TEST_SUITE_P(Fields, ReferenceDesign,
                         ::testing::Values(RefCase{"small-6x5", false}, RefCase{"small-6x5", true},
                                           RefCase{"holes-partials-import-20x15", false},
                                           RefCase{"holes-partials-import-20x15", true},
                                           RefCase{"rod-metric-export-15x12", false},
                                           RefCase{"rod-metric-export-15x12", true},
                                           RefCase{"three-sectors-40x30", false},
                                           RefCase{"three-sectors-40x30", true}, RefCase{"full-130x130", false},
                                           RefCase{"full-130x130", true}),
                         [](const auto& info) {
                             std::string n = std::string(info.param.name) + (info.param.bestFit ? "_best_fit" : "");
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

// The command-line tool as a whole process: JSON on stdout, exit codes.
TEST(CommandLine, DesignPrintsOneJsonObjectAndRefusesOtherFiles) {
    const std::string cli = TARNWICK_CLI;
    auto run = [&](const std::string& args, std::string& out) {
        std::unique_ptr<FILE, int (*)(FILE*)> p(popen((cli + " " + args + " 2>/dev/null").c_str(), "r"), pclose);
        char buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p.get())) > 0) out.append(buf, n);
        int status = pclose(p.release());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out;
    ASSERT_EQ(run("design " + kRef + "small-6x5.fld --json", out), 0);
    jsonlite::Value v = jsonlite::parse(out);  // exactly one object, nothing else
    int diffs = 0;
    compare(v, jsonlite::parse(*readWholeFile(kRef + "small-6x5.design.json")), "", diffs);
    EXPECT_EQ(diffs, 0);

    std::string none;
    EXPECT_EQ(run("design " + kRef + "README-missing.fld --json", none), 2);
    EXPECT_EQ(run("design " + std::string(TARNWICK_TEST_DATA) + "/../CMakeLists.txt", none), 2);
    EXPECT_TRUE(none.empty());
    std::string text;
    ASSERT_EQ(run("design " + kRef + "three-sectors-40x30.fld", text), 0);
    EXPECT_NE(text.find("Sector3"), std::string::npos);
}
