#include "app/FormMainFixture.h"

#include "analysis/SecurityEvaluator.h"
#include "app/RecomChartView.h"
#include "app/UnitRecom.h"
#include "cli/ScanCli.h"
#include "runtime/CodePage936.h"
#include "runtime/ErrorText.h"
#include "runtime/FileSystem.h"
#include "runtime/IntegerText.h"
#include "scan/NameListFiles.h"
#include "support/CliRun.h"
#include "support/MessageBoxCatcher.h"
#include "tools/DemoMarket.h"

#include <QCandlestickSeries>
#include <QCandlestickSet>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineSeries>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

#include <set>

namespace verdaxil {
namespace {

using namespace testing;

constexpr int kSecurities = 60;

class FormRecom : public FormMainTest {
protected:
    void SetUp() override
    {
        FormMainTest::SetUp();
        writeDemoMarket(quotes.quoteDir(), kSecurities, 150);
        setText("EdtYYY", quotes.quoteDir());
    }

    TFormRecom* list() { return form.findChild<TFormRecom*>(); }
    template <class Widget = QWidget>
    Widget* listControl(const char* name)
    {
        return list()->findChild<Widget*>(QString::fromLatin1(name));
    }
    QTableView* table() { return listControl<QTableView>("TblRecom"); }
    QString status() { return listControl<QLabel>("LblScanStatus")->text(); }
    QString message() { return listControl<QLabel>("LblMessage")->text(); }
    void saveAsCsv() { listControl<QComboBox>("ComBSaveFormat")->setCurrentText(QStringLiteral("CSV")); }

    // Presses the button and waits for the scan to end.
    void pressAndWait()
    {
        QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
        ASSERT_NE(list(), nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!listControl("BtnStopScan")->isVisible(), 20000);
    }

    void showEveryRow()
    {
        listControl<QCheckBox>("ChkTodayOnly")->click();
        listControl<QComboBox>("ComBClass")->setCurrentText(QStringLiteral("全部"));
    }

    QString cell(int row, ListColumn column) { return table()->model()->index(row, static_cast<int>(column)).data().toString(); }

    QStringList shownLines()
    {
        QStringList lines;
        for (int row = 0; row < table()->model()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table()->model()->columnCount(); ++column)
                cells.append(cell(row, static_cast<ListColumn>(column)));
            lines.append(cells.join(u','));
        }
        return lines;
    }

    QByteArray scanCliOutput(const QStringList& arguments)
    {
        const testing::CliRun run = testing::runCli([](auto&&... a) { return runScanCli(a...); }, "verdaxil-scan",
                                                    arguments + QStringList{QStringLiteral("--dir"), quotes.quoteDir()});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return run.bytes;
    }

    QStringList scanCliLines(const QStringList& arguments)
    {
        QStringList lines = QString::fromUtf8(scanCliOutput(arguments)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        lines.removeFirst();
        return lines;
    }

    // Many names for one long day file: a scan that lasts long enough to be stopped.
    void useLongMarket(int files)
    {
        const QString longFile = quotes.localPath(QStringLiteral("long.day"));
        QFile::copy(quotes.localPath(localDayFile(Market::Shanghai, QStringLiteral("600000"))), longFile);
        QDir(quotes.localPath(QuoteLayout::localDayDirectory(Market::Shanghai))).removeRecursively();
        QDir(quotes.localPath(QuoteLayout::localDayDirectory(Market::Shenzhen))).removeRecursively();
        quotes.addDirectory(QuoteLayout::localDayDirectory(Market::Shanghai));
        for (int k = 0; k < files; ++k)
            QFile::link(longFile, quotes.localPath(localDayFile(Market::Shanghai, QString::number(600000 + k))));
    }
};

TEST_F(FormRecom, NoListWithoutTheTableFilesOrWithABadHorizon)
{
    QFile::remove(quotes.localPath(QuoteLayout::localTableFile(Market::Shenzhen)));
    QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
    EXPECT_EQ(text("MemMsg"), QStringLiteral("注意：对应文件丢失，请检查系统状况是否稳定，然后重新再试！"));
    EXPECT_EQ(list(), nullptr);

    writeDemoMarket(quotes.quoteDir(), kSecurities, 150);
    setText("EdtDate", QStringLiteral("3x"));
    MessageBoxCatcher boxes;
    QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
    QTRY_COMPARE(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, errorBoxText(ConversionError(QStringLiteral("3x")).message()));
    EXPECT_EQ(list(), nullptr);
}

TEST_F(FormRecom, EveryScannedRowAsTheCommandLineGivesIt)
{
    setText("EdtDate", QStringLiteral("45"));
    setText("EdtFee", QStringLiteral("0"));
    pressAndWait();
    EXPECT_TRUE(list()->windowTitle().startsWith(QStringLiteral("荐股列表")));
    showEveryRow();
    QStringList shown = shownLines();
    QStringList expected = scanCliLines({QStringLiteral("--all"), QStringLiteral("--horizon"), QStringLiteral("45")});
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(table()->model()->headerData(static_cast<int>(ListColumn::ProfitShare), Qt::Horizontal, Qt::ToolTipRole).toString(),
              QStringLiteral("45日内上涨几率%"));
}

TEST_F(FormRecom, FiltersAndSortsByNumber)
{
    pressAndWait();
    // At first: the day's recommended A shares, the likeliest to gain 10 % first, then
    // those of more selection points.
    QStringList expected;
    for (const QString& line : scanCliLines({})) {
        if (line.section(u',', 4, 4) == QStringLiteral("A股"))
            expected.append(line);
    }
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(table()->model()->rowCount(), expected.size());
    const QString day = list()->windowTitle().right(10);
    for (int row = 0; row < table()->model()->rowCount(); ++row) {
        EXPECT_EQ(cell(row, ListColumn::Recommended), QStringLiteral("是"));
        EXPECT_EQ(cell(row, ListColumn::Date), day);
        if (row > 0) {
            const auto key = [&](int at) {
                return std::pair(cell(at, ListColumn::Share10).toInt(), cell(at, ListColumn::Points).toInt());
            };
            EXPECT_GE(key(row - 1), key(row));
        }
    }

    showEveryRow();
    EXPECT_EQ(table()->model()->rowCount(), kSecurities);
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        table()->sortByColumn(static_cast<int>(ListColumn::Share5), order);
        bool emptySeen = false;
        for (int row = 1; row < table()->model()->rowCount(); ++row) {
            const QString previous = cell(row - 1, ListColumn::Share5);
            const QString current = cell(row, ListColumn::Share5);
            emptySeen |= previous.isEmpty();
            ASSERT_FALSE(emptySeen && !current.isEmpty()) << "empty cells come last";
            if (!current.isEmpty()) {
                ASSERT_TRUE(order == Qt::AscendingOrder ? previous.toInt() <= current.toInt()
                                                        : previous.toInt() >= current.toInt());
            }
        }
        EXPECT_TRUE(cell(table()->model()->rowCount() - 1, ListColumn::Share5).isEmpty()); // the short files
    }
}

TEST_F(FormRecom, StoppingKeepsTheRowsScannedAndSaysSo)
{
    useLongMarket(1500);
    QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
    QTest::mouseClick(listControl("BtnStopScan"), Qt::LeftButton);
    QTRY_VERIFY(!listControl("BtnStopScan")->isVisible());
    EXPECT_TRUE(status().contains(QStringLiteral("扫描已停止"))) << status().toStdString();
    showEveryRow();
    EXPECT_LT(table()->model()->rowCount(), 1500);
    // No record of a part of the market passes for the market's.
    listControl<QTabWidget>("TabsRecom")->setCurrentWidget(listControl("TabSignal"));
    EXPECT_EQ(listControl<QLabel>("LblSignalState")->text(), QStringLiteral("扫描已停止，信号检验不完整"));
    EXPECT_FALSE(listControl("BtnSaveRecom")->isEnabled());
    EXPECT_FALSE(listControl("BtnSaveTrades")->isEnabled());
    EXPECT_EQ(listControl<QTableView>("TblSignal")->model()->rowCount(), 0);
}

TEST_F(FormRecom, PressingAgainScansAgainWithTheNewTexts)
{
    useLongMarket(600);
    QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
    setText("EdtDate", QStringLiteral("45"));
    QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!listControl("BtnStopScan")->isVisible(), 20000);
    EXPECT_EQ(form.findChildren<TFormRecom*>().size(), 1);
    showEveryRow();
    EXPECT_EQ(table()->model()->rowCount(), 600);
    EXPECT_FALSE(status().contains(QStringLiteral("扫描已停止")));
    EXPECT_EQ(table()->model()->headerData(static_cast<int>(ListColumn::ProfitShare), Qt::Horizontal, Qt::ToolTipRole).toString(),
              QStringLiteral("45日内上涨几率%"));
}

TEST_F(FormRecom, ActivatingARowQueriesItInTheMainWindow)
{
    pressAndWait();
    const QString code = cell(0, ListColumn::Code);
    const QPoint first = table()->visualRect(table()->model()->index(0, 1)).center();
    // A double click is a click and a second press on the same cell.
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(text("stockcode"), code);
    EXPECT_EQ(text("EdtSNum"), cell(0, ListColumn::Points));
    EXPECT_EQ(text("stockprice").toInt(), cell(0, ListColumn::Price).remove(u'.').toInt()); // 分 there, 元 here

    // Shenzhen's 000001 shares its code with a Shanghai index: the query would show that.
    showEveryRow();
    for (int row = 0; row < table()->model()->rowCount(); ++row) {
        if (cell(row, ListColumn::Code) == u"000001" && cell(row, ListColumn::Market) == u"深圳")
            table()->setCurrentIndex(table()->model()->index(row, 0));
    }
    QTest::keyClick(table(), Qt::Key_Return);
    EXPECT_EQ(text("stockcode"), code);
    EXPECT_TRUE(message().contains(QStringLiteral("上海也有代码为 000001"))) << message().toStdString();
}

TEST_F(FormRecom, SavesTheRowsAsShownAndAsksBeforeReplacing)
{
    pressAndWait();
    const QString directory = quotes.localPath(QStringLiteral("saved/lists"));
    setText("EdtRecomPath", directory);
    QStringList asked;
    bool replace = false;
    list()->confirmReplace = [&](const QString& path) {
        asked.append(path);
        return replace;
    };

    // A workbook by default; the rows as CSV to compare them.
    QTest::mouseClick(listControl("BtnSaveRecom"), Qt::LeftButton);
    const QString day = list()->windowTitle().right(10).remove(u'-');
    QFile workbook(QDir(directory).filePath(QStringLiteral("荐股%1.xlsx").arg(day)));
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly)) << message().toStdString();
    EXPECT_TRUE(workbook.readAll().startsWith("PK"));
    EXPECT_EQ(status().left(10), list()->windowTitle().right(10)) << "the summary stays";
    saveAsCsv();
    QTest::mouseClick(listControl("BtnSaveRecom"), Qt::LeftButton);
    const QString path = QDir(directory).filePath(QStringLiteral("荐股%1.csv").arg(day));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << message().toStdString();
    const QByteArray saved = file.readAll();
    file.close();
    EXPECT_TRUE(saved.startsWith("\xEF\xBB\xBF"));
    QStringList lines = QString::fromUtf8(saved).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    lines.removeFirst();
    EXPECT_EQ(lines, shownLines());
    EXPECT_TRUE(asked.isEmpty());

    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
    file.close();
    QTest::mouseClick(listControl("BtnSaveRecom"), Qt::LeftButton);
    EXPECT_EQ(asked, QStringList{path});
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
    file.close();
    replace = true;
    QTest::mouseClick(listControl("BtnSaveRecom"), Qt::LeftButton);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), saved);
    file.close();

    // A directory that is a file: nothing is written, and the list says why.
    quotes.addFile(QStringLiteral("plain"), "x");
    setText("EdtRecomPath", quotes.localPath(QStringLiteral("plain")));
    QTest::mouseClick(listControl("BtnSaveRecom"), Qt::LeftButton);
    EXPECT_TRUE(message().startsWith(QStringLiteral("保存失败"))) << message().toStdString();
    EXPECT_EQ(QDir(quotes.quoteDir()).entryList({QStringLiteral("plain*"), QStringLiteral("荐股*")}, QDir::Files),
              QStringList{QStringLiteral("plain")});
}

// A file that turns into a folder while the user is asked is left as it is, and nothing
// else is written.
TEST_F(FormRecom, AFailedSaveKeepsWhatWasThere)
{
    pressAndWait();
    const QString directory = quotes.localPath(QStringLiteral("lists"));
    setText("EdtRecomPath", directory);
    const QString day = list()->windowTitle().right(10).remove(u'-');
    const QString path = QDir(directory).filePath(QStringLiteral("荐股%1.csv").arg(day));
    quotes.addFile(QStringLiteral("lists/荐股%1.csv").arg(day), "old");
    saveAsCsv();
    // The file becomes a folder while the user is asked.
    list()->confirmReplace = [&](const QString& asked) { return QFile::remove(asked) && QDir().mkdir(asked); };
    QTest::mouseClick(listControl("BtnSaveRecom"), Qt::LeftButton);
    EXPECT_TRUE(message().startsWith(QStringLiteral("保存失败"))) << message().toStdString();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(QDir(directory).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QFileInfo(path).fileName()});
}

// A name list exported as a terminal does names the rows and the chart; the filters
// hide special-treatment names and keep one board.
TEST_F(FormRecom, ImportedNamesAndTheFilters)
{
    pressAndWait();
    auto* classes = listControl<QComboBox>("ComBClass");
    EXPECT_EQ(classes->itemText(0), QStringLiteral("全部"));
    EXPECT_EQ(classes->currentText(), QStringLiteral("A股"));
    showEveryRow();
    QStringList names = {QStringLiteral("代码\t名称")};
    for (int row = 0; row < table()->model()->rowCount(); ++row) {
        if (cell(row, ListColumn::Class) == u"A股")
            names.append(cell(row, ListColumn::Code)
                         + (row % 2 ? QStringLiteral("\t*ST样本%1") : QStringLiteral("\t样本%1")).arg(row));
    }
    quotes.addFile(QStringLiteral("lists/names.txt"), toCodePage936(names.join(QStringLiteral("\r\n"))));
    QString folder;
    QString file = quotes.localPath(QStringLiteral("lists/names.txt"));
    list()->chooseNameList = [&](const QString& from) { return folder = from, file; };
    int asked = 0;
    list()->chooseImportMode = [&] { return ++asked, std::optional(ImportMode::Merge); };
    QTest::mouseClick(listControl("BtnImportNames"), Qt::LeftButton);
    EXPECT_TRUE(message().startsWith(QStringLiteral("已导入"))) << message().toStdString();
    EXPECT_EQ(asked, 0); // nothing kept yet to replace
    EXPECT_EQ(QFileInfo(folder), QFileInfo(quotes.quoteDir()));
    int named = 0;
    for (int row = 0; row < table()->model()->rowCount(); ++row)
        named += cell(row, ListColumn::Name).startsWith(u'样') || cell(row, ListColumn::Name).startsWith(u'*');
    EXPECT_EQ(named, names.size() - 1);
    const QString title = listControl<RecomChartView>("ChartRecom")->chart()->title();
    EXPECT_TRUE(title.endsWith(cell(table()->currentIndex().row(), ListColumn::Name))) << title.toStdString();

    listControl<QCheckBox>("ChkNoST")->click();
    listControl<QComboBox>("ComBBoard")->setCurrentText(QStringLiteral("创业板"));
    ASSERT_GT(table()->model()->rowCount(), 0);
    for (int row = 0; row < table()->model()->rowCount(); ++row) {
        EXPECT_EQ(cell(row, ListColumn::Board), QStringLiteral("创业板"));
        EXPECT_FALSE(cell(row, ListColumn::Name).startsWith(QStringLiteral("*ST")));
    }
    // verdaxil-scan's filters give the window's rows, in the window's order.
    const auto sameRows = [&](const QStringList& arguments) {
        QStringList expected = scanCliLines(arguments + QStringList{QStringLiteral("--sort"), QStringLiteral("share10")});
        QStringList shown = shownLines();
        EXPECT_EQ(shown.size(), expected.size());
        for (int row = 0; row < std::min(shown.size(), expected.size()); ++row)
            for (ListColumn key : {ListColumn::Share10, ListColumn::Points})
                EXPECT_EQ(shown[row].section(u',', int(key), int(key)), expected[row].section(u',', int(key), int(key)));
        shown.sort();
        expected.sort();
        EXPECT_EQ(shown, expected);
    };
    sameRows({QStringLiteral("--all"), QStringLiteral("--board"), QStringLiteral("chinext"), QStringLiteral("--exclude-st")});
    listControl<QCheckBox>("ChkTodayOnly")->click();
    listControl<QComboBox>("ComBClass")->setCurrentText(QStringLiteral("A股"));
    listControl<QComboBox>("ComBBoard")->setCurrentText(QStringLiteral("全部"));
    sameRows({QStringLiteral("--class"), QStringLiteral("a-share"), QStringLiteral("--recommended-only"),
              QStringLiteral("--exclude-st")});
    EXPECT_TRUE(status().contains(QStringLiteral("显示 %1 行（A股、当日推荐、排除ST及退市）").arg(table()->model()->rowCount())))
        << status().toStdString();

    // A second list merged: its names win, the others stay; the dialog opens where the first was.
    const QString renamed = names[1].section(u'\t', 0, 0);
    quotes.addFile(QStringLiteral("more/names.txt"), (renamed + QStringLiteral("\t新名称\n")).toUtf8());
    file = quotes.localPath(QStringLiteral("more/names.txt"));
    QTest::mouseClick(listControl("BtnImportNames"), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(QFileInfo(folder), QFileInfo(quotes.localPath(QStringLiteral("lists"))));
    const SecurityNames kept = keptNames(ListDayFiles(quotes.quoteDir()).files);
    EXPECT_EQ(kept.size(), static_cast<std::size_t>(names.size() - 1));
    for (const NameListEntry& entry : kept.entries())
        EXPECT_EQ(entry.name == QStringLiteral("新名称"), entry.code == renamed) << entry.code.toStdString();
    QFile::remove(keptNameListPath());
}

// Alt+D, a day's eight digits and Enter: that day's list as verdaxil-scan --day gives it,
// with what was new on it and how it did since.
TEST_F(FormRecom, APastDayTypedIsThatDaysList)
{
    pressAndWait();
    const QDate last = QDate::fromString(list()->windowTitle().right(10), QStringLiteral("yyyy-MM-dd"));
    const QString day = last.addDays(-14).toString(QStringLiteral("yyyyMMdd"));
    QTest::keyClick(list(), Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), listControl("DateRecom"));
    QTest::keyClicks(QApplication::focusWidget(), day);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!listControl("BtnStopScan")->isVisible(), 20000);
    const QDate listDay = QDate::fromString(list()->windowTitle().right(10), QStringLiteral("yyyy-MM-dd"));
    EXPECT_LE(listDay.toString(QStringLiteral("yyyyMMdd")), day);
    EXPECT_FALSE(table()->isColumnHidden(static_cast<int>(ListColumn::Since)));
    EXPECT_TRUE(status().contains(QStringLiteral("新上榜"))) << status().toStdString();
    showEveryRow();
    QStringList shown = shownLines();
    QStringList expected = scanCliLines({QStringLiteral("--all"), QStringLiteral("--day"), day});
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown, expected);
    // A row's chart marks the list's day.
    table()->setCurrentIndex(table()->model()->index(0, 0));
    const QList<QAbstractSeries*> drawn = listControl<RecomChartView>("ChartRecom")->chart()->series();
    EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [](QAbstractSeries* s) { return s->name() == u"荐股日"; }));

    // Before the market's first day there was no list: the one shown stays.
    QTest::keyClick(list(), Qt::Key_D, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("19950103"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(listControl("BtnStopScan")->isVisible());
    EXPECT_TRUE(message().contains(QStringLiteral("早于行情数据的第一天"))) << message().toStdString();
    EXPECT_TRUE(list()->windowTitle().endsWith(listDay.toString(QStringLiteral("yyyy-MM-dd"))));
}

// A day chosen while a scan runs stops it and scans that day.
TEST_F(FormRecom, ADayChosenDuringAScan)
{
    useLongMarket(600);
    QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
    ASSERT_TRUE(listControl("BtnStopScan")->isVisible());
    list()->DateRecomChoose(QDate(2014, 6, 30));
    QTRY_VERIFY_WITH_TIMEOUT(!listControl("BtnStopScan")->isVisible(), 20000);
    EXPECT_TRUE(list()->windowTitle().endsWith(QStringLiteral("2014-06-30")));
    EXPECT_FALSE(status().contains(QStringLiteral("扫描已停止")));
}

// The signal's record for the window's class, at the cost typed, is verdaxil-scan
// --report's, year by year (the last one marked partial) and by horizon; its trades
// saved are those of --trades.
TEST_F(FormRecom, TheSignalTabIsTheCommandLinesAtTheCostTyped)
{
    pressAndWait();
    auto* cost = listControl<QDoubleSpinBox>("SpnCost");
    EXPECT_DOUBLE_EQ(cost->value(), 0.15);
    cost->setValue(0.3);
    emit cost->editingFinished();
    QTRY_VERIFY_WITH_TIMEOUT(!listControl("BtnStopScan")->isVisible(), 20000);
    const QStringList arguments = {QStringLiteral("--report"), QStringLiteral("--cost-bp"), QStringLiteral("30")};
    const QJsonObject report =
        QJsonDocument::fromJson(scanCliOutput(arguments + QStringList{QStringLiteral("--format"), QStringLiteral("json")}))
            .object();
    EXPECT_TRUE(listControl<QLabel>("LblSignal")->text().contains(QStringLiteral("0.30% 的交易成本")));

    const QJsonArray years = report[QStringLiteral("years")].toArray();
    const QAbstractItemModel* tab = listControl<QTableView>("TblSignal")->model();
    ASSERT_EQ(tab->rowCount(), years.size());
    const int dataDay = report[QStringLiteral("data_day")].toInt();
    const QString partial = QStringLiteral("%1（至%2-%3）")
                                .arg(dataDay / 10000)
                                .arg(dataDay / 100 % 100, 2, 10, QChar(u'0'))
                                .arg(dataDay % 100, 2, 10, QChar(u'0'));
    EXPECT_EQ(tab->index(tab->rowCount() - 2, 0).data().toString(), partial);
    const auto expectCounts = [](const QAbstractItemModel* table, int row, const QJsonObject& counts) {
        for (int kind = 0; kind < 3; ++kind) {
            const QJsonObject c =
                counts[std::array{"all", "selection", "recommended"}[static_cast<std::size_t>(kind)]].toObject();
            const int column = std::array{1, 8, 16}[static_cast<std::size_t>(kind)];
            EXPECT_EQ(table->index(row, column).data().toString(), QString::number(c[QStringLiteral("events")].toInteger()));
            const auto median = c[QStringLiteral("median_bp")];
            EXPECT_EQ(table->index(row, column + (kind == 0 ? 4 : 5)).data().toString(),
                      median.isNull() ? QString() : fixedCell(median.toInteger(), 2).text);
        }
    };
    for (int row = 0; row < tab->rowCount(); ++row) {
        if (row + 1 == tab->rowCount()) {
            EXPECT_EQ(tab->index(row, 0).data().toString(), QStringLiteral("合计"));
        }
        expectCounts(tab, row, years[row].toObject());
    }
    const QJsonArray horizons = report[QStringLiteral("horizons")].toArray();
    const QAbstractItemModel* byHorizon = listControl<QTableView>("TblHorizons")->model();
    ASSERT_EQ(byHorizon->rowCount(), horizons.size());
    for (int row = 0; row < byHorizon->rowCount(); ++row) {
        EXPECT_EQ(byHorizon->index(row, 0).data().toString(),
                  QStringLiteral("%1 天").arg(horizons[row][QStringLiteral("horizon")].toInteger()));
        expectCounts(byHorizon, row, horizons[row].toObject());
    }

    const QString directory = quotes.localPath(QStringLiteral("saved/trades"));
    setText("EdtRecomPath", directory);
    saveAsCsv();
    QTest::mouseClick(listControl("BtnSaveTrades"), Qt::LeftButton);
    QFile saved(QDir(directory).filePath(QStringLiteral("信号明细%1.csv").arg(list()->windowTitle().right(10).remove(u'-'))));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << message().toStdString();
    const QString trades = quotes.localPath(QStringLiteral("trades.csv"));
    scanCliOutput(arguments + QStringList{QStringLiteral("--trades"), trades});
    QFile expected(trades);
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), expected.readAll());
}

// 日期 and 状态 sort as dates and as groups of one state, whichever the order.
TEST_F(FormRecom, SortsByDateAndByState)
{
    pressAndWait();
    showEveryRow();
    const auto stateRank = [&](int row) {
        const QString state = cell(row, ListColumn::Status);
        return state == u"停牌/未更新" ? 1 : state == u"日期异常" ? 2 : cell(row, ListColumn::Date).isEmpty() ? 3 : 0;
    };
    const auto dateKey = [&](int row) { return cell(row, ListColumn::Date); };
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        table()->sortByColumn(static_cast<int>(ListColumn::Status), order);
        std::vector<int> ranks;
        for (int row = 0; row < table()->model()->rowCount(); ++row)
            ranks.push_back(stateRank(row));
        std::vector<int> sorted = ranks;
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) { return order == Qt::AscendingOrder ? a < b : b < a; });
        EXPECT_EQ(ranks, sorted);
        EXPECT_GT(std::set<int>(ranks.begin(), ranks.end()).size(), 2u);

        table()->sortByColumn(static_cast<int>(ListColumn::Date), order);
        QStringList dates;
        for (int row = 0; row < table()->model()->rowCount(); ++row)
            dates.append(dateKey(row));
        QStringList plain = dates;
        std::stable_sort(plain.begin(), plain.end(), [&](const QString& a, const QString& b) {
            if (a.isEmpty() || b.isEmpty())
                return b.isEmpty() && !a.isEmpty();
            return order == Qt::AscendingOrder ? a < b : b < a;
        });
        EXPECT_EQ(dates, plain);
        EXPECT_NE(dates.front(), dates.back());
    }
}

// Esc closes an open drop-down only; the list and its day stay.
TEST_F(FormRecom, EscInADropDownLeavesTheWindowOpen)
{
    pressAndWait();
    auto* boards = listControl<QComboBox>("ComBBoard");
    boards->setFocus();
    boards->showPopup();
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    EXPECT_TRUE(list()->isVisible());
    const QPointer<TFormRecom> window = list();
    QTest::keyClick(boards, Qt::Key_Escape);
    EXPECT_TRUE(!window || !window->isVisible()) << "without a drop-down, Esc closes";
}

// At any font scale, with the widths remembered from another, every shown column is as
// wide as its title and its texts after a scan.
class ColumnsAtAScale : public FormRecom, public ::testing::WithParamInterface<double> {
protected:
    void TearDown() override
    {
        QApplication::setFont(font_);
        QSettings().remove(QStringLiteral("RecomWindow"));
        FormRecom::TearDown();
    }
    const QFont font_ = QApplication::font();
};

TEST_P(ColumnsAtAScale, FitTheirTextsWhateverWasRemembered)
{
    {
        QStandardItemModel columns(0, static_cast<int>(kListColumns.size()));
        QHeaderView narrow(Qt::Horizontal);
        narrow.setModel(&columns);
        for (int column = 0; column < narrow.count(); ++column)
            narrow.resizeSection(column, 12);
        QSettings settings;
        settings.setValue(QStringLiteral("RecomWindow/columns"), narrow.saveState());
        settings.setValue(QStringLiteral("RecomWindow/columnCount"), narrow.count());
    }
    QFont scaled = font_;
    scaled.setPointSizeF(font_.pointSizeF() * GetParam());
    QApplication::setFont(scaled);
    pressAndWait();
    showEveryRow();
    const QFontMetrics metrics = table()->fontMetrics();
    const QHeaderView* header = table()->horizontalHeader();
    int shownColumns = 0;
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        ++shownColumns;
        const QString title = table()->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_GE(header->sectionSize(column), header->fontMetrics().horizontalAdvance(title)) << title.toStdString();
        for (int row = 0; row < table()->model()->rowCount(); ++row) {
            const QString text = table()->model()->index(row, column).data().toString();
            ASSERT_GE(header->sectionSize(column), metrics.horizontalAdvance(text)) << text.toStdString();
        }
    }
    EXPECT_GE(shownColumns, 10);
}

INSTANTIATE_TEST_SUITE_P(Scales, ColumnsAtAScale, ::testing::Values(1.0, 1.25, 1.5));

class ListWindowOnASmallScreen : public FormRecom {};

// On a screen of 1280 × 728 for windows (1366 × 768 less a panel is wider): the window
// stays inside it and shows 15 rows or more.
TEST_F(ListWindowOnASmallScreen, ShowsFifteenRows)
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    if (available.width() != 1280)
        GTEST_SKIP() << "runs on a small screen";
    pressAndWait();
    showEveryRow();
    EXPECT_TRUE(available.contains(list()->frameGeometry())) << list()->frameGeometry().width();
    EXPECT_GE(table()->viewport()->height() / table()->verticalHeader()->defaultSectionSize(), 15);
}

TEST_F(FormRecom, TheChartDrawsTheSelectedSecuritysAverages)
{
    pressAndWait();
    table()->setCurrentIndex(table()->model()->index(0, 0));
    const auto* chart = listControl<RecomChartView>("ChartRecom")->chart();
    const QString code = cell(0, ListColumn::Code);
    const Market market = cell(0, ListColumn::Market) == u"上海" ? Market::Shanghai : Market::Shenzhen;
    SecurityEvaluator evaluator;
    evaluator.load(*ReadOnlyFile::open(dayFilePath(quotes.quoteDir(), market, code)));
    const DayTable& days = evaluator.table();
    const auto seriesNamed = [&](const QString& name) {
        const QList<QAbstractSeries*> all = chart->series();
        const auto found = std::find_if(all.begin(), all.end(), [&](QAbstractSeries* series) { return series->name() == name; });
        return found == all.end() ? nullptr : qobject_cast<QLineSeries*>(*found);
    };

    // The day bars end at the list's price, in 元 to the list's decimals.
    const QString price = cell(0, ListColumn::Price);
    const QList<QAbstractSeries*> all = chart->series();
    const auto bars = std::find_if(all.begin(), all.end(), [](QAbstractSeries* series) { return series->name() == u"日线"; });
    ASSERT_NE(bars, all.end());
    const QList<QCandlestickSet*> sets = qobject_cast<QCandlestickSeries*>(*bars)->sets();
    EXPECT_DOUBLE_EQ(sets.last()->close(), price.toDouble()) << price.toStdString();
    const bool thousandths = price.size() - price.indexOf(u'.') == 4;
    const auto inYuan = [&](std::int32_t value) { return thousandths ? value / 1000.0 : value / 10 / 100.0; };
    for (const auto& [name, column] :
         {std::pair{QStringLiteral("10日均线"), Column::Ma10}, std::pair{QStringLiteral("60日均线"), Column::Ma60}}) {
        const QLineSeries* series = seriesNamed(name);
        ASSERT_NE(series, nullptr) << name.toStdString();
        // Counted back from the latest day: the last point, and two before it.
        for (int back : {0, 7, 30}) {
            const DayTable::Row& day = days.rows[static_cast<std::size_t>(days.count - 1 - back)];
            EXPECT_DOUBLE_EQ(series->at(series->count() - 1 - back).y(), inYuan(day[column])) << name.toStdString() << back;
        }
    }
}

} // namespace
} // namespace verdaxil
