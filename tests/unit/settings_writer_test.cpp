// A settings record bound to one writer thread counts the writes of any other.
#include <thread>

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace gkr {
namespace {

TEST(SettingsWriter, OnlyWritesFromAnotherThreadThanTheBoundOneCount) {
    Settings s;
    std::thread([&] { s.UseFlute = 1; }).join();
    EXPECT_EQ(0, s.writer.ForeignWrites()) << "unbound: anyone writes";

    s.writer.Bind();
    s.MaxHealth = 120;
    s.accels.Publish({});
    EXPECT_EQ(0, s.writer.ForeignWrites());
    std::thread([&] {
        s.MaxHealth = 90;  // a worker storing what it read
        s.UpNote.store(3);
        s.accels.Publish({});
        (void)s.OffsetX.load();  // reads are free
    }).join();
    EXPECT_EQ(3, s.writer.ForeignWrites());
    EXPECT_EQ(90, s.MaxHealth) << "counted, not refused";

    s.writer.Bind(std::thread::id());
    std::thread([&] { s.UseFlute = 0; }).join();
    EXPECT_EQ(3, s.writer.ForeignWrites()) << "unbound again";
}

}  // namespace
}  // namespace gkr
