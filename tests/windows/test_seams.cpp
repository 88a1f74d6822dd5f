#include "tests/windows/test_seams.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

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
        // This thread plays the user-interface thread, the settings' one writer.
        Settings::Instance().writer.Bind();
    }
    void TearDown() override {
        EXPECT_EQ(0, Settings::Instance().writer.ForeignWrites())
            << "a thread other than the tests' main thread wrote the settings";
    }
};

::testing::Environment* const g_seams = ::testing::AddGlobalTestEnvironment(new SetSeams);

}  // namespace

RealOverlayThread::RealOverlayThread() { Seams::Instance().runOverlayJob = nullptr; }
RealOverlayThread::~RealOverlayThread() { Seams::Instance().runOverlayJob = &RunHere; }

}  // namespace gkr::testing
