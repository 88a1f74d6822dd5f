#include "app/start_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gkr {
namespace {

std::string Name(StartStep step) {
    switch (step) {
    case StartStep::Worker: return "worker";
    case StartStep::OverlayThread: return "overlays";
    case StartStep::ManagerDialog: return "manager";
    }
    return "?";
}

// Records what the start does; the step named `failing` fails.
class RecordedStart : public StartSteps {
public:
    explicit RecordedStart(std::string failing = "") : failing_(std::move(failing)) {}
    bool Run(StartStep step) override {
        log.push_back("run " + Name(step));
        return Name(step) != failing_;
    }
    void Undo(StartStep step) override { log.push_back("undo " + Name(step)); }
    void Report(const wchar_t* text) override { reports.push_back(text); }

    std::vector<std::string> log;
    std::vector<std::wstring> reports;

private:
    std::string failing_;
};

TEST(StartPlan, AllStepsInOrderAndNothingToSay) {
    RecordedStart start;
    EXPECT_TRUE(RunStartSteps(start));
    EXPECT_EQ((std::vector<std::string>{"run worker", "run overlays", "run manager"}), start.log);
    EXPECT_TRUE(start.reports.empty());
}

TEST(StartPlan, AFailedStepStopsTheStartUndoesTheDoneOnesNewestFirstAndIsToldOnce) {
    const std::vector<std::pair<StartStep, std::vector<std::string>>> cases = {
        {StartStep::Worker, {"run worker"}},
        {StartStep::OverlayThread, {"run worker", "run overlays", "undo worker"}},
        {StartStep::ManagerDialog,
         {"run worker", "run overlays", "run manager", "undo overlays", "undo worker"}},
    };
    for (const auto& [failing, expected] : cases) {
        RecordedStart start(Name(failing));
        EXPECT_FALSE(RunStartSteps(start)) << Name(failing);
        EXPECT_EQ(expected, start.log) << Name(failing);
        ASSERT_EQ(1u, start.reports.size()) << Name(failing);
        EXPECT_EQ(StartFailureText(failing), start.reports[0]);
    }
}

}  // namespace
}  // namespace gkr
