// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotifyIconHost.h"

#include "SystemTrayHost.h"

std::unique_ptr<NotifyIconHost> NotifyIconHost::create(PictureLookup pictureOf)
{
    return std::make_unique<SystemTrayHost>(std::move(pictureOf));
}
