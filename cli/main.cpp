#include "cli/CommandLine.h"
#include "cli/QueryCli.h"

#include "runtime/ApplicationIdentity.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    verdaxil::setApplicationIdentity();
    return verdaxil::runOnStandardStreams(
        [](QTextStream& out, QTextStream& err) { return verdaxil::runQueryCli(QCoreApplication::arguments(), out, err); });
}
