#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace testing {

using namespace Qt::StringLiterals;

// A Wayland compositor, "weston" or "sway", run headless with XWayland as a
// desktop session runs it. sway refuses to run as root: under root the
// compositor runs as nobody and lets root's programs onto its X server.
class HeadlessCompositor
{
public:
    explicit HeadlessCompositor(const QString& name) : m_name(name)
    {
        // Started by the compositor: tells the test its two displays.
        const QString report = writeFile(u"report"_s, "#!/bin/sh\nxhost +si:localuser:root\n"
                                                      "echo $WAYLAND_DISPLAY $DISPLAY "
                                                      ">$XDG_RUNTIME_DIR/displays\n");
        QFile::setPermissions(report, QFile::ReadOwner | QFile::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        QStringList command;
        if (name == u"weston"_s) {
            // --debug lets weston-screenshooter in.
            command = {u"weston"_s,
                       u"--backend=headless-backend.so"_s,
                       u"--use-pixman"_s,
                       u"--debug"_s,
                       u"--width=800"_s,
                       u"--height=600"_s,
                       u"--idle-time=0"_s,
                       u"--config="_s +
                           writeFile(u"weston.ini"_s, "[core]\nxwayland=true\n[autolaunch]\npath=" +
                                                          report.toUtf8() + '\n')};
        } else {
            environment.insert(u"WLR_BACKENDS"_s, u"headless"_s);
            environment.insert(u"WLR_LIBINPUT_NO_DEVICES"_s, u"1"_s);
            environment.insert(u"WLR_RENDERER"_s, u"pixman"_s);
            command = {u"sway"_s, u"--config"_s,
                       writeFile(u"sway.conf"_s,
                                 "output HEADLESS-1 resolution 800x600\nxwayland enable\nexec " +
                                     report.toUtf8() + '\n')};
        }
        if (::geteuid() == 0) {
            const QStringList files = QDir(m_runtime.path()).entryList(QDir::Files)
                                      << QString(); // and the folder
            for (const QString& file : files) {
                [[maybe_unused]] const int ignored =
                    ::chown(qPrintable(m_runtime.filePath(file)), Nobody, Nobody);
            }
            command = QStringList{u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s,
                                  u"--clear-groups"_s} +
                      command;
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
        for (int waited = 0; waited < 15000 && displays.size() == 0; waited += 50) {
            QTest::qWait(50);
        }
        if (!displays.open(QIODevice::ReadOnly)) {
            return false;
        }
        m_displays = QString::fromUtf8(displays.readAll()).trimmed().split(u' ');
        return m_displays.size() == 2;
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
        return environment;
    }

    // What the compositor shows on its screen.
    QImage screenshot() const
    {
        QProcess shooter;
        shooter.setProcessEnvironment(session({}));
        shooter.setWorkingDirectory(m_runtime.path());
        const bool weston = m_name == u"weston"_s;
        shooter.start(weston ? u"weston-screenshooter"_s : u"grim"_s,
                      weston ? QStringList() : QStringList{u"-"_s});
        shooter.waitForFinished(10000);
        if (!weston) {
            return QImage::fromData(shooter.readAllStandardOutput(), "PNG");
        }
        QDir runtime(m_runtime.path(), u"wayland-screenshot-*.png"_s);
        const QString file = runtime.entryList().value(0);
        const QImage shot(runtime.filePath(file));
        runtime.remove(file);
        return shot;
    }

    // The windows sway shows, as JSON.
    QByteArray swayTree() const
    {
        QProcess swaymsg;
        QProcessEnvironment environment = session({});
        environment.insert(u"SWAYSOCK"_s,
                           QDir(m_runtime.path(), u"sway-ipc.*"_s, QDir::Name, QDir::System)
                               .entryInfoList()
                               .value(0)
                               .filePath());
        swaymsg.setProcessEnvironment(environment);
        swaymsg.start(u"swaymsg"_s, {u"-t"_s, u"get_tree"_s});
        swaymsg.waitForFinished(5000);
        return swaymsg.readAllStandardOutput();
    }

private:
    static constexpr uid_t Nobody = 65534;

    QString writeFile(const QString& name, const QByteArray& text)
    {
        QFile file(m_runtime.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    }

    QString m_name;
    QTemporaryDir m_runtime; // private to its user, as XDG_RUNTIME_DIR must be
    QStringList m_displays;
    QProcess m_process;
};

} // namespace testing
