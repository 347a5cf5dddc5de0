#include "cli/CommandLine.h"
#include "cli/ScanCli.h"

#include "runtime/ApplicationIdentity.h"

#include <QCoreApplication>

#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    verdaxil::setApplicationIdentity();
    return verdaxil::runOnStandardStreams([](QTextStream& out, QTextStream& err) {
        return verdaxil::runScanCli(QCoreApplication::arguments(), out, err,
                                    {::isatty(STDERR_FILENO) == 1, std::nullopt, ::isatty(STDOUT_FILENO) == 1});
    });
}
