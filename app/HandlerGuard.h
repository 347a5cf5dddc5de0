#pragma once

#include "runtime/IntegerText.h"

#include <QAbstractButton>
#include <QString>

#include <exception>

namespace verdaxil {

// Shows an exception's message in the application's modal error box.
void showErrorBox(const QString& message);

// Qt calls the program's handlers from its own frames, through which an exception
// must never unwind. Every handler runs inside this guard: whatever escapes it ends
// the handler where it stands and is shown in the error box; the event loop goes on.
template <class Handler>
void runGuarded(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (const ConversionError& error) {
        showErrorBox(error.message());
    } catch (const std::exception& error) {
        showErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Unknown error"));
    }
}

// Runs the form's handler, inside the guard, on every click of the button; the handler
// is told the button as its sender.
template <class Form>
void connectClick(QAbstractButton* button, Form* form, void (Form::*handler)(QObject*))
{
    QObject::connect(button, &QAbstractButton::clicked, form,
                     [form, button, handler] { runGuarded([&] { (form->*handler)(button); }); });
}

} // namespace verdaxil
