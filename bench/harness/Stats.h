#pragma once

#include <optional>
#include <vector>

// The median of the runs that produced a value; nothing without any.
std::optional<double> median(std::vector<double> values);
