#include "FallbackHotKeys.h"

bool FallbackHotKeys::registerHotKey(int, Qt::Key, bool)
{
    return false;
}
