// SPDX-License-Identifier: GPL-3.0-or-later
#include "MpvLibrary.h"

// Linked to the program: loaded before it starts.

void MpvLibrary::startLoading() { }

bool MpvLibrary::isLoaded()
{
    return true;
}
