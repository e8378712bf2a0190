// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Desktop.h"

#include <gtest/gtest.h>

namespace {

// Every test meets the player on a desktop with a window manager, as a user does: without one
// the executable fails before its first test, never runs its tests on a bare display.
class WindowManagerEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_windowManager = desktop::startWindowManager();
        ASSERT_TRUE(m_windowManager->ready()) << "openbox did not start";
    }
    void TearDown() override { m_windowManager.reset(); }

private:
    std::unique_ptr<desktop::Program> m_windowManager;
};

const auto *const windowManagerEnvironment = ::testing::AddGlobalTestEnvironment(new WindowManagerEnvironment);

} // namespace
