#include "tests/windows/player_messages.h"

#include <gtest/gtest.h>

#include "app/framework/player_message_win.h"

namespace gkr::testing {

std::vector<std::wstring>& PlayerMessages() {
    static std::vector<std::wstring> messages;
    return messages;
}

namespace {

class RecordPlayerMessages : public ::testing::Environment {
public:
    void SetUp() override {
        SetPlayerMessageBox([](const wchar_t* text) { PlayerMessages().push_back(text); });
    }
};

::testing::Environment* const g_recorder = ::testing::AddGlobalTestEnvironment(new RecordPlayerMessages);

}  // namespace
}  // namespace gkr::testing
