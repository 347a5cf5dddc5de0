#pragma once

#include "app/WindowControls.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TFormMain;
}

namespace verdaxil {

class TFormRecom;

// The program's one visible window. Its controls' texts are the program's whole
// state; every command reads its inputs from them and writes its results back.
class TFormMain : public QWidget {
    Q_OBJECT

public:
    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    void BtnConfirmClick(QObject* Sender);
    void BtnClearClick(QObject* Sender);
    void BtnUpClick(QObject* Sender);
    void BtnNextClick(QObject* Sender);
    void BtnGetRecomClick(QObject* Sender);
    void EdtDateChange(QObject* Sender);
    void stockcodeEnter(QObject* Sender);

private:
    void recomSecurityChosen(const QString& code);
    void fitTexts();
    void stepCode(QByteArray (*step)(QByteArray), QObject* Sender);
    void connectHandlers();
    void focusChanged(QWidget* old, QWidget* now);

    std::unique_ptr<Ui::TFormMain> ui_;
    WindowControls controls_;
    QMetaObject::Connection focusConnection_;
    bool focusEnteredBefore_ = false;
    TFormRecom* recom_ = nullptr; // created on first use, a child of this window
};

} // namespace verdaxil
