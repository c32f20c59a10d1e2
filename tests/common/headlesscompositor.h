#pragma once

#include "common/eventually.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

namespace testing {

using namespace Qt::StringLiterals;

// A Wayland compositor, "weston" or "sway", run headless with XWayland as a
// desktop session runs it. Each draws its title bars in a font of the
// tests' own: sway in the one its configuration names, weston in "sans". sway refuses to run as
// root: under root the compositor runs as nobody and lets root's programs onto its X server.
class HeadlessCompositor
{
public:
    explicit HeadlessCompositor(const QString& name) : m_weston(name == u"weston"_s)
    {
        // Started by the compositor: tells the test its displays and sway's socket.
        const QString report = writeFile(u"report"_s, "#!/bin/sh\nxhost +si:localuser:root\n"
                                                      "echo $WAYLAND_DISPLAY $DISPLAY $SWAYSOCK "
                                                      ">$XDG_RUNTIME_DIR/displays\n");
        QFile::setPermissions(report, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        // weston lets weston-screenshooter in with --debug.
        QStringList command =
            m_weston ? u"weston --backend=headless-backend.so --use-pixman --debug --width=800 "
                       "--height=600 --idle-time=0 --config="_s.split(u' ')
                     : QStringList{u"sway"_s, u"--config="_s};
        command.last() +=
            writeFile(m_weston ? u"weston.ini"_s : u"sway.conf"_s,
                      (m_weston ? "[core]\nxwayland=true\n[autolaunch]\npath="
                                : "output HEADLESS-1 resolution 800x600\nxwayland enable\n"
                                  "font pango:DejaVu Sans Mono 10\nexec ") +
                          report.toUtf8() + '\n');
        // sway's, which weston ignores.
        environment.insert(u"WLR_BACKENDS"_s, u"headless"_s);
        environment.insert(u"WLR_LIBINPUT_NO_DEVICES"_s, u"1"_s);
        environment.insert(u"WLR_RENDERER"_s, u"pixman"_s);
        if (::geteuid() == 0) {
            [[maybe_unused]] const int ignored =
                ::chown(qPrintable(m_runtime.path()), 65534, 65534);
            command = u"setpriv --reuid=65534 --regid=65534 --clear-groups"_s.split(u' ') + command;
        }
        m_process.setProcessEnvironment(environment);
        m_process.start(command.takeFirst(), command);
    }

    ~HeadlessCompositor()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }

    // Waits until the compositor and its X server take clients.
    bool waitUntilReady()
    {
        QFile displays(m_runtime.filePath(u"displays"_s));
        if (!Eventually([&] { return displays.size() > 0; }, std::chrono::seconds(15)) ||
            !displays.open(QIODevice::ReadOnly)) {
            return false;
        }
        m_displays = QString::fromUtf8(displays.readAll()).trimmed().split(u' ');
        return m_displays.size() >= 2;
    }

    // The environment of a program in a Wayland session of that desktop.
    QProcessEnvironment session(const QString& desktop) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"QT_QPA_PLATFORM"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        environment.insert(u"XDG_SESSION_TYPE"_s, u"wayland"_s);
        environment.insert(u"XDG_CURRENT_DESKTOP"_s, desktop);
        environment.insert(u"WAYLAND_DISPLAY"_s, m_displays.value(0));
        environment.insert(u"DISPLAY"_s, m_displays.value(1));
        environment.insert(u"SWAYSOCK"_s, m_displays.value(2));
        return environment;
    }

    // What the compositor shows on its screen.
    QImage screenshot() const
    {
        QProcess shooter;
        shooter.setProcessEnvironment(session({}));
        shooter.setWorkingDirectory(m_runtime.path());
        shooter.start(m_weston ? u"weston-screenshooter"_s : u"grim"_s,
                      m_weston ? QStringList() : QStringList{u"-"_s});
        shooter.waitForFinished(10000);
        if (!m_weston) {
            return QImage::fromData(shooter.readAllStandardOutput(), "PNG");
        }
        QDir runtime(m_runtime.path(), u"wayland-screenshot-*.png"_s);
        const QString file = runtime.entryList().value(0);
        const QImage shot(runtime.filePath(file));
        runtime.remove(file);
        return shot;
    }

private:
    QString writeFile(const QString& name, const QByteArray& text)
    {
        QFile file(m_runtime.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }

    bool m_weston;
    QTemporaryDir m_runtime; // private to its user, as XDG_RUNTIME_DIR must be
    QStringList m_displays;
    QProcess m_process;
};

} // namespace testing
