#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace ui {

// Tells screen readers something new without moving the focus, such as the
// name a press of "Generate Name" put in the name box.
class Announcer : public QObject
{
    Q_OBJECT

public:
    // window is where the announcements come from.
    explicit Announcer(QWidget* window);

    void announce(const QString& text);

    const QString& lastAnnouncement() const { return m_text; }
    QWidget* window() const { return m_window; }

private:
    QWidget* m_window;
    QString m_text;
};

} // namespace ui
