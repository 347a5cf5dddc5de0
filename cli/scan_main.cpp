#include "cli/ScanCli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("verdaxil-scan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VERDAXIL_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return verdaxil::runScanCli(QCoreApplication::arguments(), out, err, ::isatty(STDERR_FILENO) == 1);
}
