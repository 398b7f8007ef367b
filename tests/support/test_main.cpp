// The test programs' entry: every test runs headless unless it chooses
// another driver itself.
#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/connect.h"
#include "ui/message_line.h"

namespace {

// Each test starts with the message line's pause count a fresh program has:
// messages shown by the tests before it must not make its first message
// wait for a key that no one will press.
class FreshMessagePauses : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { message_pause_count = 0; }
};

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    connect_floors();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshMessagePauses);
    return RUN_ALL_TESTS();
}
