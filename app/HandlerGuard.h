#pragma once

#include "runtime/IntegerText.h"

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

} // namespace verdaxil
