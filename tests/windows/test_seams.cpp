#include "tests/windows/test_seams.h"

#include <gtest/gtest.h>

namespace gkr::testing {

std::vector<std::wstring>& PlayerMessages() {
    static std::vector<std::wstring> messages;
    return messages;
}

namespace {

void RunHere(const std::function<void()>& job) { job(); }

class SetSeams : public ::testing::Environment {
public:
    void SetUp() override {
        Seams& seams = Seams::Instance();
        seams.tellPlayer = [](const wchar_t* text) { PlayerMessages().push_back(text); };
        seams.runOverlayJob = &RunHere;
    }
};

::testing::Environment* const g_seams = ::testing::AddGlobalTestEnvironment(new SetSeams);

}  // namespace

RealOverlayThread::RealOverlayThread() { Seams::Instance().runOverlayJob = nullptr; }
RealOverlayThread::~RealOverlayThread() { Seams::Instance().runOverlayJob = &RunHere; }

}  // namespace gkr::testing
