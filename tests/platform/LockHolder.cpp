// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QCoreApplication>

#include <cstdio>

// Takes the single-instance lock named by its argument, says whether it was the
// first instance, and holds the lock until its input closes or it is killed.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const SingleInstance instance(QCoreApplication::arguments().value(1));
    std::puts(instance.PrevInstance() ? "previous" : "first");
    std::fflush(stdout);
    while (std::getchar() != EOF) { }
    return 0;
}
