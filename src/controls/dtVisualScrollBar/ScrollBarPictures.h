// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/Picture.h"

// The built-in skin of a new scroll bar: a raised thumb and four arrow buttons,
// drawn in the desktop's classic grey at the sizes the layout expects
// (thumb 21 x 21, vertical arrows 21 x 16, horizontal arrows 16 x 21 pixels).

namespace ScrollBarPictures {

enum class Arrow { Up, Down, Left, Right };

runtime::Picture thumb();
runtime::Picture arrow(Arrow direction);

} // namespace ScrollBarPictures
