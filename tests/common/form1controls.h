#pragma once

#include "ui/qt/form1.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace testing {

// Finds a control of the window by its name, failing loudly if it is missing.
template <typename Control = QWidget> Control* control(const ui::Form1& form, const char* name)
{
    auto* found = form.findChild<Control*>(QString::fromLatin1(name));
    Q_ASSERT_X(found != nullptr, "control", name);
    return found;
}

} // namespace testing
