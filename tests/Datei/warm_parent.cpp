// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for Kodiwerk in the test that kills it: starts a compile helper
// for the JDK and directory it is given, prints the helper's process id once
// the helper is ready, then waits to be killed.
//   warm_parent <cache directory> <JDK directory> <working directory>
#include "Datei/WarmCompiler.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    datei::TWarmCompiler warm(QString::fromLocal8Bit(argv[1]));
    warm.Start(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (!warm.WaitUntilReady(120000)) {
        std::printf("0 %s\n", qPrintable(warm.StatusText()));
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(warm.HelperProcessId()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
