#include "app/UnitCodeError.h"

#include "ui_UnitCodeError.h"

namespace verdaxil {

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TOKBottomDlg>())
{
    ui_->setupUi(this);
}

TOKBottomDlg::~TOKBottomDlg() = default;

} // namespace verdaxil
