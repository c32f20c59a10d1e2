#pragma once

#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <initializer_list>
#include <string_view>

namespace testing {

// A stand-in for xdg-open. Put first on PATH of the real program, it
// records every call, the argument count and then each argument on a line
// of its own, and a platform for Qt programs if the program handed one
// down, so a test sees what the program hands to the desktop without a
// browser ever opening.
class BrowserStandIn
{
public:
    BrowserStandIn()
    {
        QFile script(m_dir.filePath(QStringLiteral("xdg-open")));
        if (script.open(QIODevice::WriteOnly)) {
            script.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" "
                         "${QT_QPA_PLATFORM+\"QT_QPA_PLATFORM=$QT_QPA_PLATFORM\"} "
                         ">> \"$VELMORA_TEST_RECORD\"\n");
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    // base with the stand-in first on PATH and no browser chosen by variable.
    QProcessEnvironment
    environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const
    {
        base.insert(QStringLiteral("PATH"),
                    m_dir.path() + QLatin1Char(':') + base.value(QStringLiteral("PATH")));
        base.insert(QStringLiteral("VELMORA_TEST_RECORD"), recordFile());
        base.remove(QStringLiteral("BROWSER"));
        base.remove(QStringLiteral("DEFAULT_BROWSER"));
        return base;
    }

    QString calls() const
    {
        QFile record(recordFile());
        return record.open(QIODevice::ReadOnly) ? QString::fromUtf8(record.readAll()) : QString();
    }

    // What calls() holds once each of addresses was handed over alone.
    static QString callsFor(std::initializer_list<std::u16string_view> addresses)
    {
        QString calls;
        for (const std::u16string_view address : addresses) {
            calls += QStringLiteral("1\n") + QStringView(address).toString() + QLatin1Char('\n');
        }
        return calls;
    }

private:
    QString recordFile() const { return m_dir.filePath(QStringLiteral("calls.txt")); }

    QTemporaryDir m_dir;
};

} // namespace testing
