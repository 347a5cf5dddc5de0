#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TOKBottomDlg;
}

namespace verdaxil {

// Built at start-up and kept hidden: no command shows it.
class TOKBottomDlg : public QDialog {
    Q_OBJECT

public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);
    ~TOKBottomDlg() override;

private:
    std::unique_ptr<Ui::TOKBottomDlg> ui_;
};

} // namespace verdaxil
