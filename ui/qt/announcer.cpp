#include "ui/qt/announcer.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QWidget>

namespace ui {

namespace {

// Before Qt 6.8 there is no announcement event. An object in the role of a
// notification that reports being shown is what AT-SPI screen readers such
// as Orca present at once, wherever the focus is.
class AnnouncementAccessible : public QAccessibleObject
{
public:
    explicit AnnouncementAccessible(Announcer* announcer) : QAccessibleObject(announcer) {}

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(announcer()->window());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Name ? announcer()->lastAnnouncement() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    Announcer* announcer() const { return static_cast<Announcer*>(object()); }
};

QAccessibleInterface* announcementFactory(const QString& className, QObject* object)
{
    auto* announcer = qobject_cast<Announcer*>(object);
    if (announcer == nullptr || className != QLatin1String("ui::Announcer")) {
        return nullptr;
    }
    return new AnnouncementAccessible(announcer);
}

} // namespace

Announcer::Announcer(QWidget* window) : QObject(window), m_window(window)
{
    QAccessible::installFactory(announcementFactory); // installed once, however often asked
}

void Announcer::announce(const QString& text)
{
    m_text = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(m_window, text);
    QAccessible::updateAccessibility(&event);
#else
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

} // namespace ui
