#pragma once

#include <QObject>

class QAbstractButton;

namespace ui {

// Enter and keypad Enter press the push button that has the focus, as on
// Windows, without making any button the window's default: Enter anywhere
// else still does nothing.
class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

    void watch(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ui
