#include "cli/CommandLine.h"
#include "cli/QueryCli.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("verdaxil-query"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VERDAXIL_VERSION));
    return verdaxil::runOnStandardStreams(
        [](QTextStream& out, QTextStream& err) { return verdaxil::runQueryCli(QCoreApplication::arguments(), out, err); });
}
