#pragma once

#include "names/nametable.h"

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
    lines.removeLast(); // what follows the last line's end
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

// Whether tables hold exactly the lines of the list files, line 1 at index 0.
inline bool holdTheListFiles(const names::NameTables& tables)
{
    static const QStringList male = maleListFile();
    static const QStringList female = femaleListFile();
    bool same = male.size() == names::NameTableSize && female.size() == names::NameTableSize;
    for (int i = 0; same && i < names::NameTableSize; ++i) {
        same = QStringView(tables.MaleNames.at(i)) == male[i] &&
               QStringView(tables.FemaleNames.at(i)) == female[i];
    }
    return same;
}

} // namespace testing
