// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>

// Where a desktop's StatusNotifier watcher answers on the session bus.
namespace statusnotifierwatcher {

inline constexpr QLatin1String Service {"org.kde.StatusNotifierWatcher"};
inline constexpr QLatin1String Path {"/StatusNotifierWatcher"};
inline constexpr QLatin1String Interface {"org.kde.StatusNotifierWatcher"};

} // namespace statusnotifierwatcher
