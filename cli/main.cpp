#include "cli/QueryCli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return verdaxil::runQueryCli(QCoreApplication::arguments(), out, err);
}
