// tarnwick-cli: the design engine without a window, for batch work.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "design_report.h"
#include "session.h"

namespace {

using namespace tarnwick;

// Messages go to standard error; nobody is there to answer questions.
class ConsolePrompt : public Prompt {
public:
    void error(const std::string& text) override { say("error", text); }
    void warning(const std::string& text) override { say("warning", text); }
    void information(const std::string& text) override { say("info", text); }
    bool confirm(const std::string& text) override {
        say("question", text + " (answered No)");
        return false;
    }
    Answer confirmOrCancel(const std::string& text) override {
        say("question", text + " (answered Cancel)");
        return Answer::Cancel;
    }
    void beep() override {}
    int errors = 0;

private:
    void say(const char* kind, const std::string& text) {
        if (std::strcmp(kind, "error") == 0) ++errors;
        std::cerr << "tarnwick-cli: " << kind << ": " << text << "\n";
    }
};

int usage() {
    std::cerr << "usage: tarnwick-cli design FIELD [--best-fit] [--json] [-o OUT.fld]\n";
    return 2;
}

int design(const std::vector<std::string>& args) {
    std::string path, out;
    bool bestFit = false, json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--best-fit") bestFit = true;
        else if (a == "--json") json = true;
        else if (a == "-o" && i + 1 < args.size()) out = args[++i];
        else if (!a.empty() && a[0] == '-') return usage();
        else if (path.empty()) path = a;
        else return usage();
    }
    if (path.empty()) return usage();

    ConsolePrompt prompt;
    Session s(prompt);
    s.useBestFitSlopes = bestFit;
    if (!s.openField(path) || prompt.errors > 0) return 2;
    if (!out.empty()) {
        if (!s.writeField(out)) return 1;
    }
    std::string text = json ? designJson(s) : designSummaryText(s);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    if (args[0] == "--help" || args[0] == "-h") {
        usage();
        return 0;
    }
    std::string command = args[0];
    args.erase(args.begin());
    if (command == "design") return design(args);
    return usage();
}
