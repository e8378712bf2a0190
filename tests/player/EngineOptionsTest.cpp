// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/MpvEngine.h"

#include <mpv/client.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Terminate {
    void operator()(mpv_handle *handle) const { mpv_terminate_destroy(handle); }
};

} // namespace

// The installed engine takes every option the program gives it, with either video output: one it
// renamed or dropped would leave the program running without what that option guards.
TEST(EngineOptionsTest, InstalledEngineTakesEveryOption)
{
    for (const VideoOutput output : {VideoOutput::Gpu, VideoOutput::X11}) {
        const std::unique_ptr<mpv_handle, Terminate> handle(mpv_create());
        ASSERT_TRUE(handle);
        EXPECT_EQ(setEngineOptions(handle.get(), output), std::vector<std::string>())
            << "engine " << mpv_client_api_version() << ", output " << int(output);
    }
}
