#include "app/game/game_process.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "app/framework/contract.h"
#include "app/game/web_addresses.h"

namespace gkr {
namespace {

TEST(GameProcess, ImageNamesCompareByLengthAndWithoutLetterCase) {
    EXPECT_TRUE(IsGameImage(L"C:\\Games\\GKR\\GKR.EXE"));
    EXPECT_TRUE(IsGameImage(L"gkr.exe"));
    EXPECT_FALSE(IsGameImage(L"C:\\gkr.exe\\launcher.exe"));
    EXPECT_FALSE(IsGameImage(L"xgkr.exe"));
    // A counted name is not cut at a zero, nor read past its length.
    EXPECT_FALSE(IsGameImage(std::wstring_view(L"gkr.exe\0x", 9)));
    EXPECT_FALSE(IsGameImage(std::wstring_view(L"gkr.exe", 6)));
}

TEST(GameProcess, QueryBufferDoublesUpToItsLimit) {
    size_t size = kFirstQueryBufferSize;
    int growths = 0;
    while ((size = NextQueryBufferSize(size)) != 0) {
        EXPECT_LE(size, kMaxQueryBufferSize);
        ++growths;
    }
    EXPECT_EQ(11, growths);  // 64 KiB .. 64 MiB
}

// Records laid out as on 64-bit Windows: next offset at 0, name length at 56,
// name address at 64, process id at 80; 184 bytes each.
class ProcessRecords {
public:
    static constexpr ProcessRecordLayout kLayout = {184, 0, 56, 64, 80};

    explicit ProcessRecords(size_t bytes) : data(bytes, 0) {}
    // A record at `offset` named by text stored at `nameAt` (no name when empty).
    void Record(size_t offset, uint32_t next, const std::u16string& name, size_t nameAt, uint64_t pid) {
        std::memcpy(&data[offset], &next, 4);
        const uint16_t length = static_cast<uint16_t>(name.size() * 2);
        std::memcpy(&data[offset + 56], &length, 2);
        const uintptr_t address = name.empty() ? 0 : reinterpret_cast<uintptr_t>(&data[nameAt]);
        std::memcpy(&data[offset + 64], &address, sizeof address);
        std::memcpy(&data[offset + 80], &pid, 8);
        if (!name.empty()) std::memcpy(&data[nameAt], name.data(), name.size() * 2);
    }
    uint64_t Find() const { return FindGameProcessRecord(data.data(), data.size(), kLayout); }
    std::vector<unsigned char> data;
};

TEST(GameProcess, RecordWalkFindsTheGameAndStaysInsideTheBuffer) {
    ProcessRecords records(1024);
    records.Record(0, 200, u"", 0, 0);  // the idle process has no name
    records.Record(200, 200, u"explorer.exe", 900, 12);
    records.Record(400, 0, u"GKR.exe", 950, 77);
    EXPECT_EQ(77u, records.Find());

    // The game's record behind a next offset that leaves the buffer is never reached.
    records.Record(200, 4000, u"explorer.exe", 900, 12);
    EXPECT_EQ(0u, records.Find());
    // A name longer than what is left of the buffer is not read.
    records.Record(200, 0, u"gkr.exe", 1020, 12);
    EXPECT_EQ(0u, records.Find());
    // A next offset smaller than a record (a loop) ends the walk.
    records.Record(200, 1, u"explorer.exe", 900, 12);
    EXPECT_EQ(0u, records.Find());
}

TEST(WebAddresses, TheStartPageStaysOneQueryValue) {
    const std::string login = GameLoginAddress();
    const std::string prefix = std::string(kPortalLoginAddress) + "?popup=true&popclose=1&nxtURL=";
    ASSERT_EQ(prefix, login.substr(0, prefix.size()));
    const std::string value = login.substr(prefix.size());
    EXPECT_EQ(std::string::npos, value.find_first_of("&?=#/:"));
    EXPECT_EQ("a%26b%3D%EC%8B%9C%20~", PercentEncode("a&b=\xEC\x8B\x9C ~"));
}

}  // namespace
}  // namespace gkr
