#include "cli/QueryCli.h"

#include "analysis/QueryCommand.h"
#include "analysis/QueryTexts.h"
#include "cli/CommandLine.h"
#include "runtime/CodePage936.h"
#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"

#include <QCommandLineParser>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <exception>
#include <optional>

namespace verdaxil {

namespace {

struct ResultLine {
    QueryField field;
    const char* key; // in JSON: the name of the window's box for the field
    QString caption;
    QString unit;
};

QList<ResultLine> resultLines(const QString& horizon)
{
    return {
        {QueryField::Message, "MemMsg", QStringLiteral("提示信息："), {}},
        {QueryField::Date, "LblCDate", QStringLiteral("当前荐股日期："), {}},
        {QueryField::Price, "stockprice", QStringLiteral("当前股价："), QStringLiteral("分")},
        {QueryField::High, "EdtHHigh", QStringLiteral("历史最高价："), QStringLiteral("分")},
        {QueryField::Low, "EdtLowest", QStringLiteral("历史最低价："), QStringLiteral("分")},
        {QueryField::Points, "EdtSNum", QStringLiteral("历史选股点："), QStringLiteral("个")},
        {QueryField::MaxGain, "HighestPriceinDate", horizon + QStringLiteral("日内最大涨幅："), QStringLiteral("分")},
        {QueryField::MaxGainPercent, "EdtRiseRateinHistory", QStringLiteral("历史最高上升比："), QStringLiteral("%")},
        {QueryField::ProfitShare, "EdtRiseRateinDate", horizon + QStringLiteral("日内上涨几率："), QStringLiteral("%")},
        {QueryField::Share5, "Edt5P", QStringLiteral("上涨    5%以上的几率："), QStringLiteral("%")},
        {QueryField::Share10, "Edt10P", QStringLiteral("上涨  10%以上的几率："), QStringLiteral("%")},
        {QueryField::Share50, "Edt50P", QStringLiteral("上涨  50%以上的几率："), QStringLiteral("%")},
        {QueryField::Share100, "Edt100P", QStringLiteral("上涨100%以上的几率："), QStringLiteral("%")},
    };
}

// What the query leaves in each field, starting from where Clear leaves them.
struct Printed {
    QHash<QueryField, QString> texts;
    std::optional<bool> recommended;
    std::optional<QString> error;

    explicit Printed(const std::optional<QueryFindings>& found)
    {
        for (const QueryField field : kQueryFields)
            texts[field] = placeholderText(field);
        if (!found)
            return;
        for (const FieldText& written : writtenTexts(*found))
            texts[written.field] = written.text;
        if (found->indicators)
            recommended = found->indicators->recommended;
    }
};

QString recommendationText(std::optional<bool> recommended)
{
    return !recommended ? QStringLiteral("—") : *recommended ? QStringLiteral("是") : QStringLiteral("否");
}

// The radio buttons' states as the window would show them.
QString radioText(std::optional<bool> recommended, bool yes)
{
    return recommended && *recommended == yes ? QStringLiteral("enabled,checked") : QStringLiteral("disabled,unchecked");
}

void printJson(const Printed& printed, QTextStream& out)
{
    QJsonObject result;
    for (const ResultLine& line : resultLines({}))
        result.insert(QString::fromLatin1(line.key), printed.texts.value(line.field));
    result.insert(QStringLiteral("RBtnYes"), radioText(printed.recommended, true));
    result.insert(QStringLiteral("RBtnNo"), radioText(printed.recommended, false));
    if (printed.error)
        result.insert(QStringLiteral("error"), *printed.error);
    out << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Indented));
}

// Captions are padded by their code page 936 length, which is their width in a
// terminal: a Chinese character takes two columns.
QString padded(const QString& caption, qsizetype width)
{
    return caption + QString(width - codePage936Length(caption), u' ');
}

void printLines(const Printed& printed, const QString& horizon, QTextStream& out)
{
    const auto lines = resultLines(horizon);
    const QString recommendationCaption = QStringLiteral("是否推荐：");
    qsizetype width = codePage936Length(recommendationCaption);
    for (const ResultLine& line : lines)
        width = std::max(width, codePage936Length(line.caption));
    width += 1;

    for (const ResultLine& line : lines) {
        const QString value = printed.texts.value(line.field);
        bool isNumber = false;
        value.toLongLong(&isNumber);
        out << padded(line.caption, width) << value << (isNumber ? line.unit : QString()) << '\n';
        if (line.field == QueryField::Date)
            out << padded(recommendationCaption, width) << recommendationText(printed.recommended) << '\n';
    }
    if (printed.error)
        out << padded(QStringLiteral("错误："), width) << *printed.error << '\n';
}

} // namespace

int runQueryCli(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs one query of a security code and prints its results.\n"
                       "Exit status: 0 when the code's day file was read, 1 when the fee or horizon is not an integer, "
                       "2 for a usage error, 3 when the code names no day file, 4 when standard output could not be written."));
    const SettingOptions settings = settingOptions();
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    parser.addOptions({settings.dir, settings.fee, settings.horizon, jsonOption});
    parser.addPositionalArgument(QStringLiteral("CODE"), QStringLiteral("Six-digit security code."));
    CommandLine commandLine(parser, arguments, out, err);
    if (const auto status = commandLine.parse())
        return *status;
    if (parser.positionalArguments().size() != 1)
        return commandLine.usageError(QStringLiteral("One CODE is wanted"));

    const QueryInputs inputs{parser.positionalArguments().constFirst(), parser.value(settings.dir), parser.value(settings.fee),
                             parser.value(settings.horizon)};
    std::optional<QueryFindings> found;
    std::optional<QString> error;
    try {
        found = runQuery(inputs);
        if (found->horizonError)
            error = errorBoxText(found->horizonError->message());
    } catch (const ConversionError& failure) {
        error = errorBoxText(failure.message());
    } catch (const std::exception& failure) {
        error = errorBoxText(QString::fromUtf8(failure.what()));
    }

    Printed printed(found);
    printed.error = error;
    if (parser.isSet(jsonOption))
        printJson(printed, out);
    else
        printLines(printed, inputs.horizon, out);
    if (error)
        return kConversionFailed;
    return found && found->evaluated() ? 0 : kNoDayFile;
}

} // namespace verdaxil
