// SPDX-License-Identifier: GPL-3.0-or-later
#include "Registry.h"

#include "SystemInfoRegistry.h"

std::unique_ptr<Registry> Registry::create()
{
    return std::make_unique<SystemInfoRegistry>();
}
