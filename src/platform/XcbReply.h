// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <memory>

// An X server's reply (or error) as xcb hands it over: the caller frees it.
template<typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;
