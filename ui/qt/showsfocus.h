#pragma once

#include <QPaintEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace ui {

// A control that draws the style's focus rectangle over itself while it has
// the focus. The read-only name box shows no text cursor and the banner is a
// picture, so without this neither would show that it holds the focus.
template <typename Control> class ShowsFocus : public Control
{
public:
    using Control::Control;

    // The colour the rectangle is drawn over, when it is not the control's own ground.
    void setFocusGround(const QColor& ground) { m_ground = ground; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        Control::paintEvent(event);
        if (!this->hasFocus()) {
            return;
        }
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        constexpr int inset = 2;
        option.rect = this->rect().adjusted(inset, inset, -inset, -inset);
        option.backgroundColor =
            m_ground.isValid() ? m_ground : this->palette().color(this->backgroundRole());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }

private:
    QColor m_ground;
};

} // namespace ui
