#pragma once
// A prompt that records every message and answers from a script.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/session/prompt.h"

namespace tarnwick::test {

class ScriptedPrompt : public Prompt {
public:
    std::vector<std::string> messages;  // "error: ...", "question: ...", "beep"
    std::deque<Answer> answers;         // next answers to questions; No when empty
    std::deque<std::string> files;      // next file choices; Cancel when empty
    // What the user does in the "Data Preferences" dialog; nothing when unset.
    std::function<void(Preferences&)> onPreferences;
    // What the user does in the "Convert Data" and "Laser Survey Adjustment"
    // dialogs: edits the form and answers OK (true) or Cancel. Cancel when unset.
    std::function<bool(ConvertDataForm&)> onConvertData;
    std::function<bool(LaserAdjustmentForm&)> onLaserAdjustment;
    std::vector<RatioCheckForm> ratioChecks;  // every "Check Cut/Fill Ratio" dialog shown
    // Called with every question before it is answered (it may throw).
    std::function<void(const std::string&)> onQuestion;

    void error(const std::string& t) override { messages.push_back("error: " + t); }
    void warning(const std::string& t) override { messages.push_back("warning: " + t); }
    void information(const std::string& t) override { messages.push_back("info: " + t); }
    bool confirm(const std::string& t) override {
        messages.push_back("question: " + t);
        if (onQuestion) onQuestion(t);
        return next() == Answer::Yes;
    }
    Answer confirmOrCancel(const std::string& t) override {
        messages.push_back("question: " + t);
        if (onQuestion) onQuestion(t);
        return next();
    }
    void beep() override { messages.push_back("beep"); }
    std::optional<std::string> chooseOpenFile(const FileChoice&) override { return nextFile(); }
    std::optional<std::string> chooseSaveFile(const FileChoice&) override { return nextFile(); }
    void showPreferences(Preferences& p) override {
        if (onPreferences) onPreferences(p);
    }
    // The sector, partial-station and elevation dialogs: Cancel when unset.
    std::function<bool(SectorSlopeForm&)> onSectorSlope;
    std::function<void(const SectorInfoForm&)> onSectorInfo;
    std::function<bool(PartialStationForm&)> onPartialStation;
    std::function<bool(SetElevationForm&)> onSetElevation;
    bool showSectorSlope(SectorSlopeForm& f) override { return onSectorSlope && onSectorSlope(f); }
    void showSectorInfo(const SectorInfoForm& f) override {
        if (onSectorInfo) onSectorInfo(f);
    }
    bool showPartialStation(PartialStationForm& f) override { return onPartialStation && onPartialStation(f); }
    bool showSetElevation(SetElevationForm& f) override { return onSetElevation && onSetElevation(f); }
    bool showConvertData(ConvertDataForm& f) override { return onConvertData && onConvertData(f); }
    bool showLaserAdjustment(LaserAdjustmentForm& f) override { return onLaserAdjustment && onLaserAdjustment(f); }
    void showRatioCheck(const RatioCheckForm& f) override { ratioChecks.push_back(f); }

private:
    Answer next() {
        if (answers.empty()) return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> nextFile() {
        if (files.empty()) return std::nullopt;
        std::string f = files.front();
        files.pop_front();
        return f;
    }
};

}  // namespace tarnwick::test
