// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What every fuzz target shares. A broken promise aborts, so that the fuzzer
// keeps the input that broke it as a crash.

namespace fuzz {

[[noreturn]] void fail(const char *check, const char *file, int line, const QString &detail);

// Qt's warnings about odd input are expected here and would only slow the
// fuzzer down; fatal messages still end the process.
void silenceQtMessages();

// A template for QTemporaryDir in memory where the system offers it: the
// targets write files for every input, and saved files are synced to disk.
QString scratchTemplate();

} // namespace fuzz

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzz::fail(#condition, __FILE__, __LINE__, detail);                                                        \
    } while (false)
