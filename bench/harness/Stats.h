// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

// The median of the runs that produced a value; nothing without any.
std::optional<double> median(std::vector<double> values);
