#include "cli/QueryCli.h"

#include "analysis/QueryCommand.h"
#include "analysis/TextWindow.h"
#include "cli/CommandLine.h"
#include "runtime/CodePage936.h"
#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <exception>
#include <optional>

namespace verdaxil {

namespace {

struct ResultLine {
    Control control;
    QString caption;
    QString unit;
};

QList<ResultLine> resultLines(const QString& horizon)
{
    return {
        {Control::MemMsg, QStringLiteral("提示信息："), {}},
        {Control::LblCDate, QStringLiteral("当前荐股日期："), {}},
        {Control::stockprice, QStringLiteral("当前股价："), QStringLiteral("分")},
        {Control::EdtHHigh, QStringLiteral("历史最高价："), QStringLiteral("分")},
        {Control::EdtLowest, QStringLiteral("历史最低价："), QStringLiteral("分")},
        {Control::EdtSNum, QStringLiteral("历史选股点："), QStringLiteral("个")},
        {Control::HighestPriceinDate, horizon + QStringLiteral("日内最大涨幅："), QStringLiteral("分")},
        {Control::EdtRiseRateinHistory, QStringLiteral("历史最高上升比："), QStringLiteral("%")},
        {Control::EdtRiseRateinDate, horizon + QStringLiteral("日内上涨几率："), QStringLiteral("%")},
        {Control::Edt5P, QStringLiteral("上涨    5%以上的几率："), QStringLiteral("%")},
        {Control::Edt10P, QStringLiteral("上涨  10%以上的几率："), QStringLiteral("%")},
        {Control::Edt50P, QStringLiteral("上涨  50%以上的几率："), QStringLiteral("%")},
        {Control::Edt100P, QStringLiteral("上涨100%以上的几率："), QStringLiteral("%")},
    };
}

QString recommendationText(const TextWindow& window)
{
    if (window.radio(Control::RBtnYes).checked)
        return QStringLiteral("是");
    if (window.radio(Control::RBtnNo).checked)
        return QStringLiteral("否");
    return QStringLiteral("—");
}

QString radioText(RadioState state)
{
    return QString::fromLatin1(state.enabled ? "enabled," : "disabled,")
        + QString::fromLatin1(state.checked ? "checked" : "unchecked");
}

void printJson(const TextWindow& window, const std::optional<QString>& error, QTextStream& out)
{
    QJsonObject result;
    for (const ResultLine& line : resultLines({}))
        result.insert(QString::fromLatin1(controlName(line.control)), window.text(line.control));
    for (Control radio : {Control::RBtnYes, Control::RBtnNo})
        result.insert(QString::fromLatin1(controlName(radio)), radioText(window.radio(radio)));
    if (error)
        result.insert(QStringLiteral("error"), *error);
    out << QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Indented));
}

// Captions are padded by their code page 936 length, which is their width in a
// terminal: a Chinese character takes two columns.
QString padded(const QString& caption, qsizetype width)
{
    return caption + QString(width - codePage936Length(caption), u' ');
}

void printLines(const TextWindow& window, const std::optional<QString>& error, QTextStream& out)
{
    const auto lines = resultLines(window.text(Control::EdtDate));
    const QString recommendationCaption = QStringLiteral("是否推荐：");
    qsizetype width = codePage936Length(recommendationCaption);
    for (const ResultLine& line : lines)
        width = std::max(width, codePage936Length(line.caption));
    width += 1;

    for (const ResultLine& line : lines) {
        const QString value = window.text(line.control);
        bool isNumber = false;
        value.toLongLong(&isNumber);
        out << padded(line.caption, width) << value << (isNumber ? line.unit : QString()) << '\n';
        if (line.control == Control::LblCDate)
            out << padded(recommendationCaption, width) << recommendationText(window) << '\n';
    }
    if (error)
        out << padded(QStringLiteral("错误："), width) << *error << '\n';
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

    TextWindow window;
    window.setText(Control::EdtYYY, parser.value(settings.dir));
    window.setText(Control::EdtFee, parser.value(settings.fee));
    window.setText(Control::EdtDate, parser.value(settings.horizon));
    window.setText(Control::stockcode, parser.positionalArguments().constFirst());

    std::optional<QString> error;
    QueryResult result = QueryResult::NoDayFile;
    try {
        result = runQuery(window);
    } catch (const ConversionError& failure) {
        error = errorBoxText(failure.message());
    } catch (const std::exception& failure) {
        error = errorBoxText(QString::fromUtf8(failure.what()));
    }

    if (parser.isSet(jsonOption))
        printJson(window, error, out);
    else
        printLines(window, error, out);
    if (error)
        return kConversionFailed;
    return result == QueryResult::Evaluated ? 0 : kNoDayFile;
}

} // namespace verdaxil
