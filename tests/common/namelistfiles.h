#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

// The committed list files, read by tests to compare with what the build
// compiled in. The program itself never reads them.
namespace testing {

inline QStringList readNameList(const QString& fileName)
{
    QFile file(QStringLiteral(VELMORA_NAME_LISTS_DIR "/") + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

inline QStringList maleListFile()
{
    return readNameList(QStringLiteral("male.txt"));
}
inline QStringList femaleListFile()
{
    return readNameList(QStringLiteral("female.txt"));
}

} // namespace testing
