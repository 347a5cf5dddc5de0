#include "app/UnitRecom.h"

#include "ui_UnitRecom.h"

#include "app/DayTyping.h"
#include "app/HandlerGuard.h"
#include "app/WindowPlacement.h"
#include "quotes/Market.h"
#include "quotes/TradingDate.h"
#include "runtime/WindowsPath.h"
#include "scan/CheckTrades.h"
#include "scan/DataCheck.h"
#include "scan/ListColumns.h"
#include "scan/ListExport.h"
#include "scan/ListSaving.h"
#include "scan/ListSummary.h"
#include "scan/NameListFiles.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>

#include <thread>

namespace verdaxil {

namespace {

constexpr int kAllClasses = -1;
constexpr int kRowsWanted = 16; // at least 15 in view whatever the header takes
constexpr QSize kWantedSize(1240, 860);
const QString kSettingsGroup = QStringLiteral("RecomWindow");

// What a screener reads first; the rest shows on asking, from the header's menu.
bool shownByDefault(ListColumn column)
{
    switch (columnFacts(column).shown) {
    case ColumnShown::Always:
    case ColumnShown::WithPastDay:
    case ColumnShown::ByDefault: return true;
    case ColumnShown::OnAsking: return false;
    }
    return true;
}

// Which columns the menu offers: the first block is always shown, and how a list did
// since comes with a past day only.
bool chosenByUser(ListColumn column)
{
    switch (columnFacts(column).shown) {
    case ColumnShown::Always:
    case ColumnShown::WithPastDay: return false;
    case ColumnShown::ByDefault:
    case ColumnShown::OnAsking: return true;
    }
    return false;
}

bool askToReplace(QWidget* parent, const QString& shownPath)
{
    return QMessageBox::question(parent, QStringLiteral("荐股列表"), QStringLiteral("%1 已经存在。要替换它吗？").arg(shownPath),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

QString askForNameList(QWidget* parent, const QString& folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("导入名称表"), folder,
                                        QStringLiteral("名称表 (*.txt *.csv *.tsv);;所有文件 (*)"));
}

std::optional<ImportMode> askImportMode(QWidget* parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("导入名称表"),
                    QStringLiteral("已经有导入过的名称。用新文件替换它们，还是与它们合并（新文件的名称优先）？"),
                    QMessageBox::Cancel, parent);
    const QAbstractButton* replace = box.addButton(QStringLiteral("替换"), QMessageBox::AcceptRole);
    const QAbstractButton* merge = box.addButton(QStringLiteral("合并"), QMessageBox::AcceptRole);
    box.exec();
    if (box.clickedButton() == replace)
        return ImportMode::Replace;
    if (box.clickedButton() == merge)
        return ImportMode::Merge;
    return std::nullopt;
}

QString saveMessage(const SaveOutcome& outcome, const QString& shownPath, std::size_t rows)
{
    switch (outcome.status) {
    case SaveStatus::Written: return QStringLiteral("已将 %1 行保存到 %2。").arg(rows).arg(shownPath);
    case SaveStatus::Declined: return QStringLiteral("没有保存：%1 已经存在。").arg(shownPath);
    case SaveStatus::BadPath: return QStringLiteral("保存失败：%1 含有空字符，不是可用的路径。").arg(shownPath);
    case SaveStatus::NoDirectory: return QStringLiteral("保存失败：无法建立 %1 所在的目录。").arg(shownPath);
    case SaveStatus::IsDirectory: return QStringLiteral("保存失败：%1 是一个目录。").arg(shownPath);
    case SaveStatus::IsInput:
        return QStringLiteral("没有保存：%1 是扫描读取的文件或在其目录中（%2），不能覆盖。").arg(shownPath, outcome.reason);
    case SaveStatus::LinkLoop: return QStringLiteral("保存失败：%1 的符号链接循环，无法跟随。").arg(shownPath);
    case SaveStatus::WriteFailed:
    case SaveStatus::NotMade: break;
    }
    return QStringLiteral("保存失败：%1（%2）").arg(shownPath, outcome.reason);
}

} // namespace

TFormRecom::TFormRecom(std::function<QString()> saveDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::TFormRecom>()), saveDirectory_(std::move(saveDirectory))
{
    ui_->setupUi(this);
    confirmReplace = [this](const QString& shownPath) { return askToReplace(this, shownPath); };
    chooseNameList = [this](const QString& folder) { return askForNameList(this, folder); };
    chooseImportMode = [this] { return askImportMode(this); };
    today = todayAsDate;

    ui_->ComBClass->addItem(QStringLiteral("全部"), kAllClasses);
    for (SecurityClass securityClass : {SecurityClass::AShare, SecurityClass::BShare, SecurityClass::Index, SecurityClass::Fund,
                                        SecurityClass::Bond, SecurityClass::Other})
        ui_->ComBClass->addItem(className(securityClass), static_cast<int>(securityClass));
    ui_->ComBClass->setCurrentIndex(ui_->ComBClass->findData(static_cast<int>(SecurityClass::AShare)));
    for (Board board : {Board::Main, Board::ChiNext, Board::Star})
        ui_->ComBBoard->setItemData(ui_->ComBBoard->findText(boardName(board)), static_cast<int>(board));
    ui_->LblDataCheck->hide();
    ui_->BtnPreviousDay->hide();

    new DayTyping(*ui_->DateRecom, [this](QDate day) { runGuarded([&] { DateRecomChoose(day); }); });
    ui_->TblSignal->setModel(&signalModel_);
    ui_->TblHorizons->setModel(&horizonModel_);
    for (QTableView* table : {ui_->TblSignal, ui_->TblHorizons})
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    ui_->LblSignalState->hide();

    filter_.setSourceModel(&model_);
    ui_->TblRecom->setModel(&filter_);
    // Columns keep their widths and the table scrolls under its first block: a code or a
    // price is read whole.
    QHeaderView* header = ui_->TblRecom->horizontalHeader();
    header->setResizeContentsPrecision(-1);
    showDefaultColumns();
    ui_->TblRecom->sortByColumn(static_cast<int>(ListColumn::Share10), Qt::DescendingOrder);
    // Rows as tall as their text: more of the list in view on a small screen.
    ui_->TblRecom->verticalHeader()->setDefaultSectionSize(ui_->TblRecom->fontMetrics().height() + 4);
    ui_->SplitRecom->setStretchFactor(0, 3);
    ui_->SplitRecom->setStretchFactor(1, 2);
    showScanning(false);
    restoreLayout();
    connectHandlers();
}

TFormRecom::~TFormRecom() = default;

void TFormRecom::connectHandlers()
{
    connectClick(ui_->BtnStopScan, this, &TFormRecom::BtnStopScanClick);
    connectClick(ui_->BtnSaveRecom, this, &TFormRecom::BtnSaveRecomClick);
    connectClick(ui_->BtnCloseRecom, this, &TFormRecom::BtnCloseRecomClick);
    connectClick(ui_->BtnImportNames, this, &TFormRecom::BtnImportNamesClick);
    connectClick(ui_->BtnLatestDay, this, &TFormRecom::BtnLatestDayClick);
    connectClick(ui_->BtnSaveTrades, this, &TFormRecom::BtnSaveTradesClick);
    connect(ui_->SpnCost, &QDoubleSpinBox::editingFinished, this, [this] { runGuarded([&] { SpnCostChange(ui_->SpnCost); }); });
    connectClick(ui_->BtnPreviousDay, this, &TFormRecom::BtnPreviousDayClick);
    connectClick(ui_->ChkTodayOnly, this, &TFormRecom::ListFilterChange);
    connectClick(ui_->ChkNoST, this, &TFormRecom::ListFilterChange);
    for (QComboBox* box : {ui_->ComBClass, ui_->ComBBoard})
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { runGuarded([&] { ListFilterChange(box); }); });
    connect(ui_->TblRecom->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { runGuarded([&] { TblRecomSelect(ui_->TblRecom); }); });
    connect(ui_->TblRecom, &QAbstractItemView::activated, this, [this] { runGuarded([&] { TblRecomActivate(ui_->TblRecom); }); });
    for (QHeaderView* header : {ui_->TblRecom->horizontalHeader(), ui_->TblRecom->frozenView()->horizontalHeader()}) {
        header->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(header, &QWidget::customContextMenuRequested, this,
                [this, header](QPoint at) { runGuarded([&] { chooseColumns(header->mapToGlobal(at)); }); });
    }
    // After a sort the current row may have moved out of view while the chart still shows it.
    connect(ui_->TabsRecom, &QTabWidget::currentChanged, this, [this] {
        enableSaving();
        if (ui_->TabSignal->isVisible())
            giveTheYearsTheirRows();
    });
    connect(&filter_, &QAbstractItemModel::layoutChanged, this, [this] { keepCurrentRowInView(); });

    connect(&runner_, &ScanRunner::progressed, this, &TFormRecom::scanProgressed);
    connect(&runner_, &ScanRunner::finished, this, &TFormRecom::scanFinished);
}

void TFormRecom::scan(const QString& quoteDir, std::int64_t horizon, std::int64_t fee)
{
    quoteDir_ = quoteDir;
    horizon_ = horizon;
    fee_ = fee;
    startScan(std::nullopt);
}

// The list of the latest day with the signal's record (one pass gives both), or the
// list as of a past day.
void TFormRecom::startScan(std::optional<std::int32_t> day)
{
    const int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    ScanSettings settings{.horizon = horizon_, .fee = fee_, .costBp = costBp(), .jobs = jobs, .today = today(), .asOf = day};
    if (!day) {
        settings.check = CheckSettings{};
        settings.check->trades = true;
        // The record on show is of the scan before: gone until this one is complete.
        check_.reset();
        checkProblem_ = QStringLiteral("正在扫描……");
        showSignalCheck();
    }
    runner_.start({quoteDir_, settings});
    outcome_.reset();
    model_.setRows({}, horizon_, std::nullopt);
    ui_->ChartRecom->showDays({}, {});
    ui_->LblDataCheck->hide();
    ui_->BtnPreviousDay->hide();
    setWindowTitle(QStringLiteral("荐股列表"));
    ui_->PrgScan->setRange(0, 0);
    showScanning(true);
    showStatus(day ? QStringLiteral("正在扫描 %1 的日线文件，截至 %2……").arg(quoteDir_, dateText(*day))
                   : QStringLiteral("正在扫描 %1 的日线文件……").arg(quoteDir_));
}

void TFormRecom::scanProgressed(qsizetype done, qsizetype total)
{
    ui_->PrgScan->setRange(0, static_cast<int>(total));
    ui_->PrgScan->setValue(static_cast<int>(done));
}

void TFormRecom::scanFinished(std::shared_ptr<ScanOutcome> outcome)
{
    // The day the scan took as today, so that a scan across midnight agrees with itself.
    const std::int32_t day = outcome->request.settings.today;
    model_.setRows(std::move(outcome->result.rows), outcome->request.settings.horizon, outcome->result.listDay);
    outcome_ = std::move(outcome);
    showScanning(false);
    const ScanResult& result = outcome_->result;
    const bool ofLatestDay = !outcome_->request.settings.asOf;
    // Only a whole scan gives a record; any other says why there is none.
    if (ofLatestDay) {
        if (!outcome_->failure.isEmpty())
            checkProblem_ = QStringLiteral("扫描失败，没有信号检验：%1").arg(outcome_->failure);
        else if (!outcome_->listing.foundDayDirectory())
            checkProblem_ = outcome_->listing.noDirectoryMessage();
        else if (result.stopped || !result.check)
            checkProblem_ = QStringLiteral("扫描已停止，信号检验不完整");
        else {
            checkProblem_.clear();
            check_ = result.check;
            checkDay_ = result.listDay;
            checkDataDay_ = result.latestDay;
            checkCostBp_ = outcome_->request.settings.costBp;
            checkTrades_ = result.trades;
            // The trades' securities: who they are, not how they stand.
            checkRows_ = model_.rows();
            for (ScanRow& row : checkRows_)
                row.evaluation.reset();
        }
        showSignalCheck();
    }
    if (!outcome_->failure.isEmpty()) {
        showStatus(QStringLiteral("扫描失败：%1").arg(outcome_->failure));
        return;
    }
    if (!outcome_->listing.foundDayDirectory()) {
        showStatus(outcome_->listing.noDirectoryMessage());
        return;
    }
    if (model_.listDay())
        setWindowTitle(QStringLiteral("荐股列表 - %1").arg(dateText(*model_.listDay())));
    {
        // The box shows the list's day, between the market's first and last days.
        const QSignalBlocker quiet(ui_->DateRecom);
        if (result.firstDay && result.latestDay)
            ui_->DateRecom->setDateRange(calendarDay(*result.firstDay), calendarDay(*result.latestDay));
        if (result.listDay)
            ui_->DateRecom->setDate(calendarDay(*result.listDay));
    }
    // How it did since belongs to a past day's list.
    ui_->TblRecom->setColumnHidden(static_cast<int>(ListColumn::Since), !pastDay());
    const QStringList warnings = DataCheckWarnings(result, day);
    ui_->LblDataCheck->setText(warnings.join(u'\n'));
    ui_->LblDataCheck->setVisible(!warnings.isEmpty());
    // A half-downloaded day: the day before's list is one click away.
    if (looksUnfinished(result)) {
        ui_->BtnPreviousDay->setText(QStringLiteral("看前一交易日 %1 的列表(&V)").arg(dateText(*result.previousDay)));
        ui_->BtnPreviousDay->show();
    }
    ListFilterChange(ui_->ChkTodayOnly);
    // The chart shows the first security of the list from the start.
    ui_->TblRecom->setCurrentIndex(filter_.index(0, 0));
}

void TFormRecom::showScanning(bool scanning)
{
    ui_->PrgScan->setVisible(scanning);
    ui_->BtnStopScan->setVisible(scanning);
    enableSaving();
}

// Nothing is saved during a scan, and a record only when one is complete.
void TFormRecom::enableSaving()
{
    const bool scanning = ui_->BtnStopScan->isVisibleTo(this);
    const bool signalTab = ui_->TabsRecom->currentWidget() == ui_->TabSignal;
    ui_->BtnSaveRecom->setEnabled(!scanning && (!signalTab || check_.has_value()));
    ui_->BtnSaveTrades->setEnabled(!scanning && check_.has_value());
}

void TFormRecom::showStatus(const QString& text, const QString& details)
{
    ui_->LblScanStatus->setText(text);
    ui_->LblScanStatus->setToolTip(details.isEmpty() ? text : details);
}

// Saving and importing say what they did on a line of their own, so that the scan's
// summary stays in view.
void TFormRecom::showMessage(const QString& text, const QString& details)
{
    ui_->LblMessage->setText(text);
    ui_->LblMessage->setToolTip(details.isEmpty() ? text : details);
}

// The list's day, files scanned, rows shown, the day's recommended count, stale and
// unreadable files and the time taken; the unreadable files' reasons go into the tooltip.
QString TFormRecom::listSummary() const
{
    const ListCounts counts = CountList(model_.rows(), model_.listDay());
    QString text =
        model_.listDay() ? QStringLiteral("%1 的列表：").arg(dateText(*model_.listDay())) : QStringLiteral("没有可用的日线：");
    text += QStringLiteral(
                "扫描 %1 个文件，显示 %2 行（%3）；全部类别当日推荐 %4 个，%5 个停牌/未更新，%6 个文件无法读取，用时 %7 秒。")
                .arg(model_.rows().size())
                .arg(filter_.rowCount())
                .arg(shownRowsText())
                .arg(counts.recommended)
                .arg(counts.stale)
                .arg(counts.unreadable)
                .arg(outcome_->seconds, 0, 'f', 2);
    if (outcome_->result.previousDay)
        text +=
            QStringLiteral("与前一交易日 %1 相比新上榜 %2 个。").arg(dateText(*outcome_->result.previousDay)).arg(counts.isNew);
    if (pastDay()) {
        const SinceCounts since = CountSince(shownRows());
        if (const auto percent = since.risingPercent())
            text +=
                QStringLiteral("显示的证券至今有 %1% 上涨（%2 个中的 %3 个）。").arg(*percent).arg(since.known).arg(since.rose);
    }
    if (outcome_->result.stopped)
        text += QStringLiteral("扫描已停止：只列出了 %1 个日线文件中已扫描的 %2 个。")
                    .arg(outcome_->listing.files.size())
                    .arg(model_.rows().size());
    for (const QString& warning : outcome_->listing.unreadableDirectoryWarnings())
        text += warning;
    return text;
}

// The rows as the table shows them, filtered and sorted.
std::vector<const ScanRow*> TFormRecom::shownRows() const
{
    std::vector<const ScanRow*> shown;
    for (int row = 0; row < filter_.rowCount(); ++row)
        shown.push_back(&model_.row(filter_.mapToSource(filter_.index(row, 0)).row()));
    return shown;
}

// What the shown rows are: "A股", "全部类别、创业板、排除ST及退市", with "当日推荐" when
// only those are shown.
QString TFormRecom::shownRowsText() const
{
    QStringList parts = {ui_->ComBClass->currentData().toInt() == kAllClasses ? QStringLiteral("全部类别")
                                                                              : ui_->ComBClass->currentText()};
    if (ui_->ComBBoard->currentData().isValid())
        parts.append(ui_->ComBBoard->currentText());
    if (ui_->ChkTodayOnly->isChecked())
        parts.append(QStringLiteral("当日推荐"));
    if (ui_->ChkNoST->isChecked())
        parts.append(QStringLiteral("排除ST及退市"));
    return parts.join(u'、');
}

void TFormRecom::showSummary()
{
    if (!outcome_ || !outcome_->failure.isEmpty() || !outcome_->listing.foundDayDirectory())
        return;
    const QStringList unreadable = unreadableFiles(model_.rows());
    const QString summary = listSummary();
    showStatus(summary, unreadable.isEmpty() ? summary : summary + u'\n' + unreadable.join(u'\n'));
}

void TFormRecom::BtnStopScanClick(QObject*)
{
    runner_.stop();
}

void TFormRecom::ListFilterChange(QObject*)
{
    ListFilter filter;
    filter.daysListOnly = ui_->ChkTodayOnly->isChecked();
    const int securityClass = ui_->ComBClass->currentData().toInt();
    filter.securityClass = securityClass == kAllClasses ? std::nullopt : std::optional(static_cast<SecurityClass>(securityClass));
    const QVariant board = ui_->ComBBoard->currentData();
    filter.board = board.isValid() ? std::optional(static_cast<Board>(board.toInt())) : std::nullopt;
    filter.hideSpecialTreatment = ui_->ChkNoST->isChecked();
    filter_.setFilter(filter);
    fitColumns();
    // The chart follows the list: a row filtered away leaves its place to the first shown.
    if (!ui_->TblRecom->currentIndex().isValid())
        ui_->TblRecom->setCurrentIndex(filter_.index(0, 0));
    keepCurrentRowInView();
    showSummary();
    showSignalCheck();
}

// The list's day is before the market's latest: how its securities did since is known.
bool TFormRecom::pastDay() const
{
    return outcome_ && outcome_->result.listDay && outcome_->result.latestDay
        && *outcome_->result.listDay < *outcome_->result.latestDay;
}

// The cost typed, in basis points.
std::int64_t TFormRecom::costBp() const
{
    return qRound(ui_->SpnCost->value() * 100);
}

CheckReport TFormRecom::signalReport() const
{
    const int securityClass = ui_->ComBClass->currentData().toInt();
    return {*check_,
            securityClass == kAllClasses ? std::nullopt : std::optional(static_cast<SecurityClass>(securityClass)),
            horizon_,
            fee_,
            {},
            checkRows_.size(),
            0,
            checkCostBp_,
            checkDataDay_};
}

// The record of the window's class, horizon, fee and cost; or why there is none.
void TFormRecom::showSignalCheck()
{
    enableSaving();
    ui_->LblSignalState->setText(checkProblem_);
    ui_->LblSignalState->setVisible(!check_);
    ui_->SplitSignal->setVisible(check_.has_value());
    if (!check_) {
        ui_->LblSignal->clear();
        signalModel_.setLines({}, {});
        horizonModel_.setLines({}, {});
        return;
    }
    ui_->LblSignal->setText(
        QStringLiteral("每一天都当作一次交易：次日以均价买入，持有所设天数后以收盘价卖出，扣除手续费和 %1% 的交易成本。"
                       "持有期间有疑似除权日（最高价低于前一日收盘价超过涨跌幅限制）的交易不计入，单列为除权剔除。"
                       "按年份比较全部交易日（基准）、选股点和推荐日，样本数列在每个百分比之前；下表是各持有天数的合计。"
                       "这是历史数据的检验，没有计入退市证券和涨停买不进，均线本身也没有复权。")
            .arg(fixedCell(checkCostBp_, 2).text));
    const CheckReport report = signalReport();
    signalModel_.setLines(checkYearTitles(), checkYearTable(report));
    horizonModel_.setLines(checkHorizonYearTitles(), checkHorizonYearTable(report));
    ui_->TblSignal->resizeColumnsToContents();
    ui_->TblHorizons->resizeColumnsToContents();
    drawWinRates(*ui_->ChartSignal, report);
    if (ui_->TabSignal->isVisible())
        giveTheYearsTheirRows();
}

// Every year in view when the height allows, the chart below them. A page's splitter has
// its height only while the page shows.
void TFormRecom::giveTheYearsTheirRows()
{
    const auto wanted = [](const QTableView* table) {
        return table->horizontalHeader()->height() + table->model()->rowCount() * table->verticalHeader()->defaultSectionSize()
            + 2 * table->frameWidth() + table->horizontalScrollBar()->sizeHint().height();
    };
    // The horizons' few lines in a third at most, then the years above the chart.
    const int room = ui_->SplitSignal->height() - 2 * ui_->SplitSignal->handleWidth();
    const int horizons = std::min(wanted(ui_->TblHorizons), room / 3);
    const SplitHeights years = splitTableAndChart(room - horizons, wanted(ui_->TblSignal), ui_->ChartSignal->minimumHeight());
    ui_->SplitSignal->setSizes({years.table, horizons, years.chart});
}

void TFormRecom::BtnLatestDayClick(QObject*)
{
    startScan(std::nullopt);
}

void TFormRecom::SpnCostChange(QObject*)
{
    // The record and how a past day's list did since both take the cost off.
    if (quoteDir_.isNull() || (check_ && checkCostBp_ == costBp()))
        return;
    startScan(std::nullopt);
}

void TFormRecom::BtnPreviousDayClick(QObject*)
{
    if (outcome_ && outcome_->result.previousDay)
        startScan(*outcome_->result.previousDay);
}

void TFormRecom::DateRecomChoose(QDate day)
{
    if (quoteDir_.isNull() || !day.isValid())
        return;
    const std::int32_t date = day.year() * 10000 + day.month() * 100 + day.day();
    const ScanResult* result = outcome_ ? &outcome_->result : nullptr;
    if (result && result->firstDay && date < *result->firstDay) {
        showMessage(
            QStringLiteral("%1 早于行情数据的第一天 %2，那时还没有列表。").arg(dateText(date), dateText(*result->firstDay)));
        return;
    }
    // From the market's last day on, the list is the latest one.
    const bool latest = result && result->latestDay && date >= *result->latestDay;
    startScan(latest ? std::nullopt : std::optional(date));
}

void TFormRecom::keepCurrentRowInView()
{
    const QModelIndex current = ui_->TblRecom->currentIndex();
    if (current.isValid())
        ui_->TblRecom->scrollTo(current);
}

const ScanRow* TFormRecom::selectedRow() const
{
    const QModelIndex current = ui_->TblRecom->currentIndex();
    if (!current.isValid())
        return nullptr;
    return &model_.row(filter_.mapToSource(current).row());
}

void TFormRecom::TblRecomSelect(QObject*)
{
    const ScanRow* row = selectedRow();
    if (!row || !outcome_) {
        ui_->ChartRecom->showDays({}, {});
        return;
    }
    const auto listed = chartReader_.read(*row, outcome_->request.settings.today);
    if (!listed) {
        ui_->ChartRecom->showDays({}, {});
        return;
    }
    ui_->ChartRecom->showDays(listed->days,
                              {.title = QStringLiteral("%1 %2 %3").arg(marketName(row->market), row->code, row->name).trimmed(),
                               .decimals = hasThreeDecimalPrices(*row) ? 3 : 2,
                               .points = row->securityClass == SecurityClass::Index,
                               .horizon = outcome_->request.settings.horizon,
                               .fee = outcome_->request.settings.fee,
                               .listDay = pastDay() ? model_.listDay() : std::nullopt,
                               .exRightsRows = listed->exRightsRows});
}

void TFormRecom::TblRecomActivate(QObject*)
{
    const ScanRow* row = selectedRow();
    if (!row || !outcome_)
        return;
    switch (queryReaches(outcome_->request.quoteDir, row->market, row->code, row->localPath)) {
    case QueryReach::ThisFile: break;
    case QueryReach::OtherMarket:
        showMessage(QStringLiteral("%1 %2 无法在主窗口查询：上海也有代码为 %2 的日线文件，主窗口的查询会显示上海那只证券。")
                        .arg(marketName(row->market), row->code));
        return;
    case QueryReach::OtherFile:
        showMessage(QStringLiteral("%1 无法在主窗口查询：主窗口的查询会找到另一个拼写相近的日线文件。").arg(row->code));
        return;
    }
    emit securityChosen(row->code);
}

void TFormRecom::BtnSaveRecomClick(QObject*)
{
    if (ui_->TabsRecom->currentWidget() == ui_->TabSignal) {
        saveSignalCheck();
        return;
    }
    if (!outcome_ || !model_.listDay()) {
        showMessage(QStringLiteral("没有可保存的列表。"));
        return;
    }
    const std::vector<const ScanRow*> shown = shownRows();
    const std::int32_t day = *model_.listDay();
    const ListHeader header{day,
                            outcome_->request.settings.asOf,
                            outcome_->result.previousDay,
                            model_.horizon(),
                            outcome_->request.settings.fee,
                            model_.rows().size(),
                            outcome_->request.settings.costBp};
    saveFile(listFileName(day, savedExtension()), shown.size(),
             [&] { return workbookChosen() ? listXlsx(shown, header) : listCsv(shown, header); });
}

bool TFormRecom::workbookChosen() const
{
    return ui_->ComBSaveFormat->currentIndex() == 0;
}

QString TFormRecom::savedExtension() const
{
    return workbookChosen() ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
}

// Into the save directory as typed at this moment, and what came of it on the message
// line: the path as typed, and where it maps to on hovering once there was a file.
void TFormRecom::saveFile(const QString& fileName, std::size_t lines, const std::function<QByteArray()>& makeBytes)
{
    const SaveTarget target = fileInTypedDirectory(saveDirectory_(), fileName);
    const SaveOutcome outcome = ListSaver(confirmReplace, false, readInputs()).save(target, makeBytes);
    const QString message = saveMessage(outcome, target.shownPath, lines);
    showMessage(message,
                outcome.status == SaveStatus::NotMade ? message : message + u'\n' + QDir::toNativeSeparators(target.localPath));
}

// What the scan reads, which no save may replace.
ReadInputs TFormRecom::readInputs() const
{
    return scanInputs(quoteDir_, outcome_ ? outcome_->listing : ListDayFiles(quoteDir_), {});
}

// The record as it shows, to 信号检验YYYYMMDD with the list's rules of saving.
void TFormRecom::saveSignalCheck()
{
    if (!check_ || !checkDay_) {
        showMessage(QStringLiteral("没有可保存的信号检验。"));
        return;
    }
    const CheckReport report = signalReport();
    saveFile(checkFileName(*checkDay_, savedExtension()), static_cast<std::size_t>(signalModel_.rowCount()),
             [&] { return workbookChosen() ? checkXlsx(report) : checkCsv(report); });
}

// Every trade behind the record, to 信号明细YYYYMMDD with the list's rules of saving.
void TFormRecom::BtnSaveTradesClick(QObject*)
{
    if (!check_ || !checkDay_) {
        showMessage(QStringLiteral("没有可保存的信号明细。"));
        return;
    }
    const CheckReport report = signalReport();
    const TradeList list{report, checkTrades_, checkRows_};
    saveFile(tradesFileName(*checkDay_, savedExtension()), tradeTable(list).size(),
             [&] { return workbookChosen() ? tradesXlsx(list) : tradesCsv(list); });
}

void TFormRecom::BtnImportNamesClick(QObject*)
{
    QSettings settings;
    const QString lastFolder = settings.value(kSettingsGroup + QStringLiteral("/nameListFolder")).toString();
    const QString path = chooseNameList(lastFolder.isEmpty() ? toLocalPath(quoteDir_) : lastFolder);
    if (path.isEmpty())
        return;
    settings.setValue(kSettingsGroup + QStringLiteral("/nameListFolder"), QFileInfo(path).absolutePath());
    ImportMode mode = ImportMode::Replace;
    if (hasKeptNames()) {
        const auto chosen = chooseImportMode();
        if (!chosen)
            return;
        mode = *chosen;
    }
    // Bare codes are told apart by the day files there are: those of the last scan.
    const std::vector<DayFileEntry> files = outcome_ ? outcome_->listing.files : ListDayFiles(quoteDir_).files;
    const NameListRead read = importNameList(path, files, mode);
    if (!read.names) {
        showMessage(QStringLiteral("没有导入名称表：%1").arg(read.problem));
        return;
    }
    model_.setNames(*read.names);
    AssignNames(checkRows_, *read.names);
    filter_.invalidate();
    // Names were empty when the columns were fitted: the name column refits to them.
    fitColumns(ListColumn::Name);
    TblRecomSelect(ui_->TblRecom);
    QString text = QStringLiteral("已导入 %1 个证券的名称，跳过 %2 行。").arg(read.names->size()).arg(read.skippedLines);
    if (read.repeatedCodes > 0)
        text += QStringLiteral("%1 个代码重复，以后出现的为准。").arg(read.repeatedCodes);
    showMessage(text + read.problem,
                QStringLiteral("名称表已保存到 %1，以后打开时自动使用。").arg(QDir::toNativeSeparators(keptNameListPath())));
}

void TFormRecom::BtnCloseRecomClick(QObject*)
{
    close();
}

// Esc that no open drop-down, calendar or menu took closes the window.
void TFormRecom::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        runGuarded([&] { BtnCloseRecomClick(this); });
        return;
    }
    QWidget::keyPressEvent(event);
}

// The first time it shows, the window goes beside the main window, within the screen.
void TFormRecom::showEvent(QShowEvent* event)
{
    if (!placed_)
        placeOnScreen();
    placed_ = true;
    QWidget::showEvent(event);
}

void TFormRecom::placeOnScreen()
{
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : this->screen();
    const QRect anchor = main ? main->frameGeometry() : QRect();
    const QRect frame = placeBeside(screen->availableGeometry(), anchor, size().expandedTo(kWantedSize));
    // The frame's size less room for a title bar and borders the window manager adds.
    const QSize decoration(16, 40);
    resize(frame.size() - decoration);
    move(frame.topLeft());
    // The splitter's height is known once the window is laid out at its size.
    if (!ui_->SplitRecom->property("restored").toBool())
        QMetaObject::invokeMethod(
            this, [this] { giveTheTableItsRows(); }, Qt::QueuedConnection);
}

// Rows enough in view for a list, and the rest of the height to the chart.
void TFormRecom::giveTheTableItsRows()
{
    const QHeaderView* header = ui_->TblRecom->horizontalHeader();
    const int tableWanted = header->sizeHint().height() + kRowsWanted * ui_->TblRecom->verticalHeader()->defaultSectionSize()
        + ui_->TblRecom->horizontalScrollBar()->sizeHint().height();
    const SplitHeights split = splitTableAndChart(ui_->SplitRecom->height(), tableWanted, ui_->ChartRecom->minimumHeight());
    ui_->SplitRecom->setSizes({split.table, split.chart});
}

// Every shown column at least as wide as its title and its texts at this font and scale;
// wider where the user or a remembered layout made it so, except `refit`, and every
// column the first time, which take their texts' width. The table scrolls when they
// need more than the window has.
void TFormRecom::fitColumns(std::optional<ListColumn> refit)
{
    const bool exact = !columnsFitted_;
    columnsFitted_ = true;
    // Public as a view's, protected as a table's.
    const QAbstractItemView* table = ui_->TblRecom;
    QHeaderView* header = ui_->TblRecom->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            continue;
        const int wanted = std::max(table->sizeHintForColumn(column), header->sectionSizeHint(column));
        if (exact || wanted > header->sectionSize(column) || refit == static_cast<ListColumn>(column))
            header->resizeSection(column, wanted);
    }
}

void TFormRecom::showDefaultColumns()
{
    for (ListColumn column : kListColumns) {
        if (chosenByUser(column))
            ui_->TblRecom->setColumnHidden(static_cast<int>(column), !shownByDefault(column));
    }
}

// The header's menu, at a point of the screen: a column shown or hidden, or the default
// set again.
void TFormRecom::chooseColumns(QPoint at)
{
    QMenu menu(this);
    for (ListColumn column : kListColumns) {
        if (!chosenByUser(column))
            continue;
        QAction* action = menu.addAction(columnLongTitle(column, horizon_));
        action->setCheckable(true);
        action->setChecked(!ui_->TblRecom->isColumnHidden(static_cast<int>(column)));
        connect(action, &QAction::toggled, this, [this, column](bool shown) {
            ui_->TblRecom->setColumnHidden(static_cast<int>(column), !shown);
            fitColumns(column);
        });
    }
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("恢复默认列")), &QAction::triggered, this, [this] {
        showDefaultColumns();
        columnsFitted_ = false;
        fitColumns();
    });
    menu.exec(at);
}

void TFormRecom::restoreLayout()
{
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    if (settings.contains(QStringLiteral("size")))
        resize(settings.value(QStringLiteral("size")).toSize());
    if (ui_->SplitRecom->restoreState(settings.value(QStringLiteral("splitter")).toByteArray()))
        ui_->SplitRecom->setProperty("restored", true);
    if (settings.contains(QStringLiteral("costBp")))
        ui_->SpnCost->setValue(settings.value(QStringLiteral("costBp")).toInt() / 100.0);
    // Widths saved for other columns than these are of no use; the rest are fitted again
    // to this font and scale when rows come.
    columnsFitted_ = settings.value(QStringLiteral("columnCount")).toInt() == model_.columnCount()
        && ui_->TblRecom->horizontalHeader()->restoreState(settings.value(QStringLiteral("columns")).toByteArray());
}

// The window's own layout only; nothing of the list or the main window.
void TFormRecom::saveLayout() const
{
    if (!placed_)
        return;
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    settings.setValue(QStringLiteral("size"), size());
    settings.setValue(QStringLiteral("splitter"), ui_->SplitRecom->saveState());
    settings.setValue(QStringLiteral("columns"), ui_->TblRecom->horizontalHeader()->saveState());
    settings.setValue(QStringLiteral("columnCount"), model_.columnCount());
    settings.setValue(QStringLiteral("costBp"), static_cast<qint64>(costBp()));
}

// Nobody watches a scan whose window is closed.
void TFormRecom::closeEvent(QCloseEvent* event)
{
    runner_.stop();
    saveLayout();
    QWidget::closeEvent(event);
}

} // namespace verdaxil
