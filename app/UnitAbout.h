#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TAboutBox;
}

namespace verdaxil {

// Built at start-up and kept hidden: no command shows it.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

private:
    std::unique_ptr<Ui::TAboutBox> ui_;
};

} // namespace verdaxil
