#include "app/UnitRecom.h"

#include "ui_UnitRecom.h"

#include "analysis/SecurityEvaluator.h"
#include "app/HandlerGuard.h"
#include "quotes/Market.h"
#include "runtime/AtomicFile.h"
#include "runtime/FileSystem.h"
#include "runtime/IntegerText.h"
#include "runtime/WindowsPath.h"
#include "scan/ListExport.h"

#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QShortcut>

#include <thread>

namespace verdaxil {

namespace {

constexpr int kAllClasses = -1;

QString dayText(std::optional<std::int32_t> day)
{
    if (!day)
        return {};
    const QDate date(*day / 10000, *day / 100 % 100, *day % 100);
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : intToText(*day);
}

bool askToReplace(QWidget* parent, const QString& localPath)
{
    return QMessageBox::question(parent, QStringLiteral("荐股列表"),
                                 QStringLiteral("%1 已经存在。要替换它吗？").arg(QDir::toNativeSeparators(localPath)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

} // namespace

TFormRecom::TFormRecom(std::function<QString()> saveDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::TFormRecom>()),
      saveDirectory_(std::move(saveDirectory)),
      chartEvaluator_(std::make_unique<SecurityEvaluator>())
{
    ui_->setupUi(this);
    confirmReplace = [this](const QString& localPath) { return askToReplace(this, localPath); };

    ui_->ComBClass->addItem(className(SecurityClass::AShare), static_cast<int>(SecurityClass::AShare));
    ui_->ComBClass->addItem(QStringLiteral("全部"), kAllClasses);
    for (SecurityClass other :
         {SecurityClass::BShare, SecurityClass::Index, SecurityClass::Fund, SecurityClass::Bond, SecurityClass::Other})
        ui_->ComBClass->addItem(className(other), static_cast<int>(other));

    filter_.setSourceModel(&model_);
    ui_->TblRecom->setModel(&filter_);
    ui_->TblRecom->sortByColumn(static_cast<int>(ListColumn::ProfitShare), Qt::DescendingOrder);
    ui_->SplitRecom->setStretchFactor(0, 3);
    ui_->SplitRecom->setStretchFactor(1, 2);
    showScanning(false);
    connectHandlers();
}

TFormRecom::~TFormRecom() = default;

void TFormRecom::connectHandlers()
{
    connectClick(ui_->BtnStopScan, this, &TFormRecom::BtnStopScanClick);
    connectClick(ui_->BtnSaveRecom, this, &TFormRecom::BtnSaveRecomClick);
    connectClick(ui_->BtnCloseRecom, this, &TFormRecom::BtnCloseRecomClick);
    connectClick(ui_->ChkTodayOnly, this, &TFormRecom::ChkTodayOnlyClick);
    connect(ui_->ComBClass, &QComboBox::currentIndexChanged, this,
            [this] { runGuarded([&] { ComBClassChange(ui_->ComBClass); }); });
    connect(ui_->TblRecom->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { runGuarded([&] { TblRecomSelect(ui_->TblRecom); }); });
    connect(ui_->TblRecom, &QAbstractItemView::activated, this, [this] { runGuarded([&] { TblRecomActivate(ui_->TblRecom); }); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { runGuarded([&] { BtnCloseRecomClick(this); }); });

    connect(&runner_, &ScanRunner::progressed, this, &TFormRecom::scanProgressed);
    connect(&runner_, &ScanRunner::finished, this, &TFormRecom::scanFinished);
}

void TFormRecom::scan(const QString& quoteDir, std::int64_t horizon, std::int64_t fee)
{
    const int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    runner_.start({quoteDir, {horizon, fee, jobs}});
    outcome_.reset();
    model_.setRows({}, horizon);
    ui_->ChartRecom->showDays({}, {});
    setWindowTitle(QStringLiteral("荐股列表"));
    ui_->PrgScan->setRange(0, 0);
    showScanning(true);
    showStatus(QStringLiteral("正在扫描 %1 的日线文件……").arg(quoteDir));
}

void TFormRecom::scanProgressed(qsizetype done, qsizetype total)
{
    ui_->PrgScan->setRange(0, static_cast<int>(total));
    ui_->PrgScan->setValue(static_cast<int>(done));
}

void TFormRecom::scanFinished(std::shared_ptr<ScanOutcome> outcome)
{
    model_.setRows(std::move(outcome->result.rows), outcome->request.settings.horizon);
    outcome_ = std::move(outcome);
    showScanning(false);
    if (!outcome_->failure.isEmpty()) {
        showStatus(QStringLiteral("扫描失败：%1").arg(outcome_->failure));
        return;
    }
    if (!outcome_->listing.foundDayDirectory) {
        showStatus(QStringLiteral("没有找到日线目录：%1").arg(outcome_->listing.directoriesLookedAt.join(QStringLiteral("、"))));
        return;
    }
    if (model_.listDay())
        setWindowTitle(QStringLiteral("荐股列表 - %1").arg(dayText(model_.listDay())));
    ui_->TblRecom->resizeColumnsToContents();
    ChkTodayOnlyClick(ui_->ChkTodayOnly);
    // The chart shows the first security of the list from the start.
    ui_->TblRecom->setCurrentIndex(filter_.index(0, 0));
}

void TFormRecom::showScanning(bool scanning)
{
    ui_->PrgScan->setVisible(scanning);
    ui_->BtnStopScan->setVisible(scanning);
    ui_->BtnSaveRecom->setEnabled(!scanning);
}

void TFormRecom::showStatus(const QString& text, const QString& details)
{
    ui_->LblScanStatus->setText(text);
    ui_->LblScanStatus->setToolTip(details.isEmpty() ? text : details);
}

// The list's day, files scanned, rows shown, the day's recommended count, unreadable
// files and the time taken; the unreadable files' reasons go into the tooltip.
QString TFormRecom::listSummary() const
{
    int recommended = 0;
    int unreadable = 0;
    for (const ScanRow& row : model_.rows()) {
        recommended += IsOnDaysList(row, model_.listDay());
        unreadable += !row.evaluation;
    }
    QString text =
        model_.listDay() ? QStringLiteral("%1 的列表：").arg(dayText(model_.listDay())) : QStringLiteral("没有可用的日线：");
    text += QStringLiteral("扫描 %1 个文件，显示 %2 行，当日推荐 %3 个，%4 个文件无法读取，用时 %5 秒。")
                .arg(model_.rows().size())
                .arg(filter_.rowCount())
                .arg(recommended)
                .arg(unreadable)
                .arg(outcome_->seconds, 0, 'f', 2);
    if (outcome_->result.stopped)
        text += QStringLiteral("扫描已停止：只列出了 %1 个日线文件中已扫描的 %2 个。")
                    .arg(outcome_->listing.files.size())
                    .arg(model_.rows().size());
    return text;
}

void TFormRecom::BtnStopScanClick(QObject*)
{
    runner_.stop();
}

void TFormRecom::ChkTodayOnlyClick(QObject*)
{
    ComBClassChange(ui_->ComBClass);
}

void TFormRecom::ComBClassChange(QObject*)
{
    const int selected = ui_->ComBClass->currentData().toInt();
    filter_.setFilter(ui_->ChkTodayOnly->isChecked(),
                      selected == kAllClasses ? std::nullopt : std::optional(static_cast<SecurityClass>(selected)));
    if (!outcome_ || !outcome_->failure.isEmpty() || !outcome_->listing.foundDayDirectory)
        return;
    QStringList unreadable;
    for (const ScanRow& row : model_.rows()) {
        if (!row.evaluation)
            unreadable.append(QStringLiteral("%1 %2：%3").arg(marketName(row.market), row.code, row.error));
    }
    const QString summary = listSummary();
    showStatus(summary, unreadable.isEmpty() ? summary : summary + u'\n' + unreadable.join(u'\n'));
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
    if (!row || !row->evaluation || !outcome_) {
        ui_->ChartRecom->showDays({}, {});
        return;
    }
    // The file is read again: the scan keeps no table of any security.
    OpenError error{};
    const auto file = ReadOnlyFile::openLocal(row->localPath.constData(), error);
    if (!file) {
        ui_->ChartRecom->showDays({}, {});
        return;
    }
    chartEvaluator_->load(*file);
    ui_->ChartRecom->showDays(chartEvaluator_->days(), QStringLiteral("%1 %2").arg(marketName(row->market), row->code));
}

void TFormRecom::TblRecomActivate(QObject*)
{
    const ScanRow* row = selectedRow();
    if (!row || !outcome_)
        return;
    // The query looks in Shanghai first, and finds names ignoring case: a Shenzhen
    // code that Shanghai also has, or a code spelled in two cases, would show another
    // file's figures.
    const QString& quoteDir = outcome_->request.quoteDir;
    const Market queried = LookupMarket(row->code, quoteDir);
    if (queried != row->market) {
        showStatus(QStringLiteral("深圳 %1 无法在主窗口查询：上海也有代码为 %1 的日线文件，主窗口的查询会显示上海那只证券。")
                       .arg(row->code));
        return;
    }
    if (localFileName(dayFilePath(quoteDir, queried, row->code)) != row->localPath) {
        showStatus(QStringLiteral("%1 无法在主窗口查询：主窗口的查询会找到另一个拼写相近的日线文件。").arg(row->code));
        return;
    }
    emit securityChosen(row->code);
}

void TFormRecom::BtnSaveRecomClick(QObject*)
{
    if (!outcome_ || !model_.listDay()) {
        showStatus(QStringLiteral("没有可保存的列表。"));
        return;
    }
    std::vector<const ScanRow*> shown;
    for (int row = 0; row < filter_.rowCount(); ++row)
        shown.push_back(&model_.row(filter_.mapToSource(filter_.index(row, 0)).row()));

    const QString typed = saveDirectory_();
    if (!localFileName(typed)) {
        showStatus(QStringLiteral("保存失败：目录名 %1 含有空字符，不是可用的目录。").arg(typed));
        return;
    }
    const QString directory = toLocalPath(typed);
    const QString path = QDir(directory).filePath(QStringLiteral("荐股%1.csv").arg(*model_.listDay()));
    if (!QDir().mkpath(directory)) {
        showStatus(QStringLiteral("保存失败：无法建立目录 %1。").arg(QDir::toNativeSeparators(directory)));
        return;
    }
    if (QFileInfo::exists(path) && !confirmReplace(path)) {
        showStatus(QStringLiteral("没有保存：%1 已经存在。").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (const auto error = writeFileAtomically(path, listCsv(shown, model_.horizon()))) {
        showStatus(QStringLiteral("保存失败：%1（%2）").arg(QDir::toNativeSeparators(path), *error));
        return;
    }
    showStatus(QStringLiteral("已将 %1 行保存到 %2。").arg(shown.size()).arg(QDir::toNativeSeparators(path)));
}

void TFormRecom::BtnCloseRecomClick(QObject*)
{
    close();
}

// Nobody watches a scan whose window is closed.
void TFormRecom::closeEvent(QCloseEvent* event)
{
    runner_.stop();
    QWidget::closeEvent(event);
}

} // namespace verdaxil
