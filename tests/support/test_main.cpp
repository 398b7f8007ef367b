// The test programs' entry: every test runs headless unless it chooses
// another driver itself.
#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/connect.h"

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    connect_floors();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
