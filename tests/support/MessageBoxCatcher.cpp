#include "support/MessageBoxCatcher.h"

#include <QAbstractButton>
#include <QApplication>

namespace verdaxil::testing {

MessageBoxCatcher::MessageBoxCatcher()
{
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

void MessageBoxCatcher::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    last_ = {box->text(), box->windowTitle(), box->icon(), box->buttons().size(), box->windowModality() == Qt::ApplicationModal};
    ++count_;
    box->button(QMessageBox::Ok)->click();
}

} // namespace verdaxil::testing
