#pragma once

#include "ui/qt/windowengine.h"

#include <QTest>

namespace testing {

// For widget tests: an error that ends a handler fails the running test at
// once, with the error's text, instead of opening a message box to wait on.
inline void failOnHandlerErrors()
{
    ui::SetErrorReporter([](const QString& message) {
        QTest::qFail(qPrintable(QStringLiteral("a handler stopped: ") + message), __FILE__,
                     __LINE__);
    });
}

} // namespace testing
