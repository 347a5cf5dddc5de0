#pragma once

#include "analysis/BackTestDefaults.h"
#include "app/RecomTableModel.h"
#include "app/ScanRunner.h"
#include "app/SignalCheckView.h"
#include "runtime/OutputFile.h"
#include "scan/ListedDays.h"
#include "scan/NameListFiles.h"

#include <QDate>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class TFormRecom;
}

namespace verdaxil {

// The day's list of recommended securities: a scan of the whole market with its
// progress, the rows to filter and sort, the chart of the selected security, names
// from an imported name list, and saving the rows as shown. Any past day's list, with
// what was new on it and how it did since; and on a second tab the signal's record,
// year by year against every trading day.
class TFormRecom : public QWidget {
    Q_OBJECT

public:
    // `saveDirectory` gives the text of the main window's box for the save directory
    // at the moment the list is saved.
    explicit TFormRecom(std::function<QString()> saveDirectory, QWidget* parent = nullptr);
    ~TFormRecom() override;

    // Scans the market below the quote directory, stopping a scan that runs.
    void scan(const QString& quoteDir, std::int64_t horizon, std::int64_t fee);

    // Asks whether an existing list file, named as the user typed it, may be
    // replaced; a message box by default.
    std::function<bool(const QString& shownPath)> confirmReplace;
    // Asks for the name list file to import, starting in the folder given; empty when
    // the user gives none. A file dialog by default.
    std::function<QString(const QString& folder)> chooseNameList;
    // Asks whether an imported list replaces the names kept or merges with them; none
    // to import nothing. A question with 替换 and 合并 by default.
    std::function<std::optional<ImportMode>()> chooseImportMode;
    // Today's date as YYYYMMDD, for the list's day and the check of the data.
    std::function<std::int32_t()> today;

    void BtnStopScanClick(QObject* Sender);
    void BtnSaveRecomClick(QObject* Sender);
    void BtnCloseRecomClick(QObject* Sender);
    void BtnImportNamesClick(QObject* Sender);
    void BtnLatestDayClick(QObject* Sender);
    void BtnSaveTradesClick(QObject* Sender);
    // A cost typed: the list and its record again at that cost.
    void SpnCostChange(QObject* Sender);
    // The list of the day before a day that looks half downloaded.
    void BtnPreviousDayClick(QObject* Sender);
    // A day chosen in the date box: the list as of that day.
    void DateRecomChoose(QDate day);
    void ListFilterChange(QObject* Sender);
    void TblRecomSelect(QObject* Sender);
    void TblRecomActivate(QObject* Sender);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // The user asked for a query of this code in the main window.
    void securityChosen(const QString& code);

private:
    void connectHandlers();
    void startScan(std::optional<std::int32_t> day);
    void scanProgressed(qsizetype done, qsizetype total);
    bool pastDay() const;
    std::int64_t costBp() const;
    CheckReport signalReport() const;
    void showSignalCheck();
    void saveSignalCheck();
    void enableSaving();
    bool workbookChosen() const;
    QString savedExtension() const;
    void saveFile(const QString& fileName, std::size_t lines, const std::function<QByteArray()>& makeBytes);
    ReadInputs readInputs() const;
    void scanFinished(std::shared_ptr<ScanOutcome> outcome);
    void showScanning(bool scanning);
    void showStatus(const QString& text, const QString& details = {});
    void showMessage(const QString& text, const QString& details = {});
    void showSummary();
    QString listSummary() const;
    std::vector<const ScanRow*> shownRows() const;
    const ScanRow* selectedRow() const;
    void keepCurrentRowInView();
    void placeOnScreen();
    void giveTheTableItsRows();
    void giveTheYearsTheirRows();
    void fitColumns(std::optional<ListColumn> refit = std::nullopt);
    void showDefaultColumns();
    void chooseColumns(QPoint at);
    QString shownRowsText() const;
    void restoreLayout();
    void saveLayout() const;

    std::unique_ptr<Ui::TFormRecom> ui_;
    std::function<QString()> saveDirectory_;
    RecomTableModel model_;
    RecomFilter filter_;
    ScanRunner runner_;
    QString quoteDir_; // of the last scan started
    std::int64_t horizon_ = kDefaultHorizon;
    std::int64_t fee_ = kDefaultFee;
    // The record of the last complete scan of the latest day: none while a scan of it
    // runs and after one stopped or failed; `checkProblem_` then says why.
    std::optional<SignalCheck> check_;
    std::optional<std::int32_t> checkDay_;     // that scan's list day
    std::optional<std::int32_t> checkDataDay_; // its market's latest day
    std::int64_t checkCostBp_ = 0;
    std::vector<CheckTrade> checkTrades_;
    std::vector<ScanRow> checkRows_; // the trades' securities
    QString checkProblem_;
    SignalCheckModel signalModel_;
    SignalCheckModel horizonModel_;
    std::shared_ptr<const ScanOutcome> outcome_; // its rows moved into the model
    ListedDaysReader chartReader_;
    bool placed_ = false;
    bool columnsFitted_ = false; // to this font and scale, or as remembered
};

} // namespace verdaxil
