#include "app/UnitMain.h"

#include "ui_UnitMain.h"

#include "analysis/Fee.h"
#include "app/ClearResults.h"
#include "app/CodeStepping.h"
#include "app/HandlerGuard.h"
#include "app/QueryDisplay.h"
#include "app/TypingLimit.h"
#include "app/UnitRecom.h"
#include "quotes/TableFiles.h"
#include "runtime/CodePage936.h"
#include "runtime/IntegerText.h"

#include <QApplication>

namespace verdaxil {

namespace {

constexpr int kCodeTypingLimit = 6;
constexpr int kFeeTypingLimit = 2;

} // namespace

TFormMain::TFormMain(QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                  | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TFormMain>()),
      controls_(*this)
{
    ui_->setupUi(this);
    QFont font = this->font();
    font.setPixelSize(12);
    setFont(font);
    move(269, 196);
    fitTexts();

    // Each limit installs itself on its edit box, which owns it.
    new TypingLimit(kCodeTypingLimit, *ui_->stockcode);
    new TypingLimit(kFeeTypingLimit, *ui_->EdtFee);
    connectHandlers();
}

// Labels size themselves to their captions, except the fixed notice line; edit boxes
// show the beginning of a text that is wider than they are.
void TFormMain::fitTexts()
{
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label != ui_->Label4)
            label->adjustSize();
    }
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setCursorPosition(0);
}

TFormMain::~TFormMain()
{
    // The application outlives the window and moves the focus while the window's
    // widgets are torn down; no handler may run on the half-destroyed window.
    disconnect(focusConnection_);
}

void TFormMain::connectHandlers()
{
    connectClick(ui_->BtnConfirm, this, &TFormMain::BtnConfirmClick);
    connectClick(ui_->BtnClear, this, &TFormMain::BtnClearClick);
    connectClick(ui_->BtnUp, this, &TFormMain::BtnUpClick);
    connectClick(ui_->BtnNext, this, &TFormMain::BtnNextClick);
    connectClick(ui_->BtnGetRecom, this, &TFormMain::BtnGetRecomClick);

    connect(ui_->EdtDate, &QLineEdit::textChanged, this, [this] { runGuarded([&] { EdtDateChange(ui_->EdtDate); }); });
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget* old, QWidget* now) { runGuarded([&] { focusChanged(old, now); }); });
}

void TFormMain::BtnConfirmClick(QObject*)
{
    runQueryCommand(controls_);
}

void TFormMain::BtnClearClick(QObject*)
{
    clearResults(controls_);
}

void TFormMain::BtnUpClick(QObject* Sender)
{
    stepCode(previousCode, Sender);
}

void TFormMain::BtnNextClick(QObject* Sender)
{
    stepCode(nextCode, Sender);
}

// The stepped code is written first, so that Clear and then the query work on it.
void TFormMain::stepCode(QByteArray (*step)(QByteArray), QObject* Sender)
{
    const QByteArray stepped = step(toCodePage936(controls_.text(Control::stockcode)));
    controls_.setText(Control::stockcode, fromCodePage936(stepped));
    BtnClearClick(Sender);
    BtnConfirmClick(Sender);
}

// The list is made only when both table files open; the fee and the horizon are read
// as the query reads them, and a text that is not an integer opens no list.
void TFormMain::BtnGetRecomClick(QObject*)
{
    const QString quoteDir = controls_.text(Control::EdtYYY);
    if (!TableFilesOpen(quoteDir)) {
        controls_.setText(Control::MemMsg, QStringLiteral("注意：对应文件丢失，请检查系统状况是否稳定，然后重新再试！"));
        return;
    }
    const std::int32_t fee = feeFromText(controls_.text(Control::EdtFee));
    const std::int32_t horizon = textToInt(controls_.text(Control::EdtDate));
    if (!recom_) {
        recom_ = new TFormRecom([this] { return ui_->EdtRecomPath->text(); }, this);
        connect(recom_, &TFormRecom::securityChosen, this,
                [this](const QString& code) { runGuarded([&] { recomSecurityChosen(code); }); });
    }
    recom_->show();
    recom_->raise();
    recom_->activateWindow();
    recom_->scan(quoteDir, horizon, fee);
}

// A row of the list is queried through the OK button's command.
void TFormMain::recomSecurityChosen(const QString& code)
{
    controls_.setText(Control::stockcode, code);
    raise();
    activateWindow();
    BtnConfirmClick(ui_->BtnConfirm);
}

void TFormMain::EdtDateChange(QObject*)
{
    for (QLabel* label : {ui_->LblDate1, ui_->LblDate2}) {
        label->setText(ui_->EdtDate->text());
        label->adjustSize();
    }
}

void TFormMain::stockcodeEnter(QObject* Sender)
{
    BtnConfirmClick(Sender);
}

// The query runs when the focus moves into the code box from another control of this
// window, and at the window's first activation. It must not run when the focus merely
// comes back with the window (from another application or a closing message box):
// a failing query would otherwise re-open its error box for ever.
void TFormMain::focusChanged(QWidget* old, QWidget* now)
{
    if (!now || now->window() != this)
        return;
    const bool firstEntry = !focusEnteredBefore_;
    focusEnteredBefore_ = true;
    if (now != ui_->stockcode)
        return;
    const bool fromThisWindow = old && old->window() == this;
    if (!fromThisWindow && !firstEntry)
        return;
    if (firstEntry)
        ui_->stockcode->selectAll();
    stockcodeEnter(ui_->stockcode);
}

} // namespace verdaxil
