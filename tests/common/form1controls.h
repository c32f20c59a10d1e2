#pragma once

#include "ui/qt/form1.h"
#include "ui/qt/windowengine.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace testing {

// Finds a control of the window by its name, failing loudly if it is missing.
template <typename Control = QWidget> Control* control(const ui::Form1& form, const char* name)
{
    auto* found = form.findChild<Control*>(QString::fromLatin1(name));
    Q_ASSERT_X(found != nullptr, "control", name);
    return found;
}

// For widget tests, as the window's error reporter: an error that ends a
// handler fails the running test at once, with the error's text, instead
// of opening a message box to wait on.
inline void FailTheTest(const std::u16string& message)
{
    QTest::qFail(
        qPrintable(QStringLiteral("a handler stopped: ") + QString::fromStdU16String(message)),
        __FILE__, __LINE__);
}

} // namespace testing
