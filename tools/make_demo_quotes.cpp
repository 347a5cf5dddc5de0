#include "tools/DemoListings.h"
#include "tools/DemoMarket.h"
#include "tools/DemoQuotes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <exception>
#include <optional>

namespace {

// The option's value when it is an integer from low to high.
std::optional<int> integerOption(const QCommandLineParser& parser, const QCommandLineOption& option, int low, int high)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

// Writes a demo quote directory: the demo securities alone by default, or a whole
// market of N securities around them.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream err(stderr);
    const int demoCount = static_cast<int>(verdaxil::demoSecurities().size());

    QCommandLineParser parser;
    const QCommandLineOption securitiesOption(QStringLiteral("securities"), QStringLiteral("Securities to write."),
                                              QStringLiteral("N"), QString::number(demoCount));
    const QCommandLineOption daysOption(QStringLiteral("days"), QStringLiteral("Trading days of each history."),
                                        QStringLiteral("D"), QString::number(verdaxil::kDemoDays));
    parser.addOptions({securitiesOption, daysOption});
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Quote directory to write."));

    const QString usage = QStringLiteral("usage: make-demo-quotes [--securities N] [--days D] DIR\n"
                                         "  N: %1 to %2 securities (default %1, the demo securities alone)\n"
                                         "  D: %3 to %4 trading days (default %5)\n")
                              .arg(demoCount)
                              .arg(verdaxil::kMaxDemoSecurities)
                              .arg(verdaxil::kMinDemoDays)
                              .arg(verdaxil::kMaxDemoDays)
                              .arg(verdaxil::kDemoDays);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << '\n' << usage;
        return 2;
    }
    const auto securities = integerOption(parser, securitiesOption, demoCount, verdaxil::kMaxDemoSecurities);
    const auto days = integerOption(parser, daysOption, verdaxil::kMinDemoDays, verdaxil::kMaxDemoDays);
    if (!securities || !days || parser.positionalArguments().size() != 1) {
        err << usage;
        return 2;
    }

    try {
        verdaxil::writeDemoMarket(parser.positionalArguments().constFirst(), *securities, *days);
    } catch (const std::exception& error) {
        err << "make-demo-quotes: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
