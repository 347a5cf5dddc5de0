#include "app/UnitAbout.h"

#include "ui_UnitAbout.h"

namespace verdaxil {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::TAboutBox>())
{
    ui_->setupUi(this);
}

TAboutBox::~TAboutBox() = default;

} // namespace verdaxil
