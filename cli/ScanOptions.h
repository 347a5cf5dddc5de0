#pragma once

#include "cli/CommandLine.h"
#include "scan/ListFilter.h"
#include "scan/SecurityClass.h"
#include "scan/SignalCheck.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace verdaxil {

enum class OutputFormat { Csv, Json, Xlsx };

// What verdaxil-scan was asked to do.
struct ScanOptions {
    QString quoteDir;
    QString feeText;
    QString horizonText;
    bool all = false;
    OutputFormat format = OutputFormat::Csv;
    QString output;
    bool force = false;
    int jobs = 1;
    QString names;                   // a name list file for this run; the kept copy when empty
    std::optional<std::int32_t> day; // the list as of this day; the latest when none
    bool report = false;             // the signal check instead of a list
    CheckSettings checkDays;
    std::optional<SecurityClass> checkClass = SecurityClass::AShare; // none: every class
    // The list's rows as the window's filters choose them; every class unless --class is
    // given, the day's list unless --all.
    ListFilter listFilter{
        .daysListOnly = true, .securityClass = std::nullopt, .board = std::nullopt, .hideSpecialTreatment = false};
    std::optional<ListColumn> sort; // none: the order of the files
    std::int64_t costBp = 15;
    QString trades; // with report: the file to list the check's trades in
};

// verdaxil-scan's options, to add to its parser.
struct ScanOptionDefinitions {
    SettingOptions settings = settingOptions();
    QCommandLineOption all;
    QCommandLineOption format;
    QCommandLineOption output;
    QCommandLineOption force;
    QCommandLineOption jobs;
    QCommandLineOption names;
    QCommandLineOption day;
    QCommandLineOption report;
    QCommandLineOption from;
    QCommandLineOption to;
    QCommandLineOption securityClass;
    QCommandLineOption board;
    QCommandLineOption excludeSt;
    QCommandLineOption recommendedOnly;
    QCommandLineOption sort;
    QCommandLineOption costBp;
    QCommandLineOption horizons;
    QCommandLineOption trades;

    ScanOptionDefinitions();
    QList<QCommandLineOption> list() const;
};

// The options of a parsed command line; none when they do not fit, `problem` then says why.
std::optional<ScanOptions> readScanOptions(const QCommandLineParser& parser, const ScanOptionDefinitions& defined,
                                           QString& problem);

} // namespace verdaxil
