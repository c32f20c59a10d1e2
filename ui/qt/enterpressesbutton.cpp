#include "ui/qt/enterpressesbutton.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace ui {

void EnterPressesButton::watch(QAbstractButton* button)
{
    button->installEventFilter(this);
}

bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::KeypadModifier;
    if (!enter || others != Qt::NoModifier) {
        return false;
    }
    static_cast<QAbstractButton*>(watched)->click();
    return true;
}

} // namespace ui
