#include "cli/QueryCli.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("verdaxil-query"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VERDAXIL_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return verdaxil::runQueryCli(QCoreApplication::arguments(), out, err);
}
