// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/MpvLibrary.h"
#include "player/ResponsiveWait.h"

#include <gtest/gtest.h>
#include <mpv/client.h>

#include <dlfcn.h>

// Its own program: the engine's library loads once a process, and these tests watch that load.

TEST(MpvLibraryTest, aWaitForTheLoadEndsWhenTheFunctionsAreIn)
{
    ASSERT_FALSE(MpvLibrary::isLoaded());
    MpvLibrary::startLoading();
    // Nothing but the load's end wakes this wait: a wake-up before the functions are in would
    // leave it waiting to the deadline.
    ASSERT_TRUE(waitResponsively(&MpvLibrary::isLoaded, 60000));
    EXPECT_EQ(mpv_client_api_version() >> 16, MPV_CLIENT_API_VERSION >> 16);
}

TEST(MpvLibraryTest, theLibraryCallsItsOwnFunctionsNotTheProgramsForwarders)
{
    ASSERT_TRUE(waitResponsively(&MpvLibrary::isLoaded, 60000));
    // Were the program's forwarders among the process's global symbols, the library's calls among
    // its own functions would land in them, and they would call the library back for ever.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "mpv_create"), nullptr);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "mpv_set_option_string"), nullptr);
    // A handle made and set through the forwarders works.
    mpv_handle *engine = mpv_create();
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(mpv_set_option_string(engine, "config", "no"), 0);
    EXPECT_LT(mpv_set_option_string(engine, "no-such-option", "1"), 0);
    EXPECT_STRNE(mpv_error_string(MPV_ERROR_OPTION_NOT_FOUND), "");
    mpv_terminate_destroy(engine);
}
