// The build refuses a malformed name list, naming the file and the line.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray validList()
{
    QByteArray list;
    for (int i = 0; i < 1001; ++i) {
        list += "Ann Lee\n";
    }
    return list;
}

QByteArray withLine(int lineNumber, const QByteArray& text, const QByteArray& list = validList())
{
    QList<QByteArray> lines = list.split('\n');
    lines[lineNumber - 1] = text;
    return lines.join('\n');
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

struct EmbedResult
{
    int exitCode = -1;
    QString output;
};

// Runs the build's list step on male.txt and female.txt in dir, writing lists.cpp there.
EmbedResult embedLists(const QTemporaryDir& dir)
{
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(VELMORA_CMAKE_COMMAND),
                {u"-DMALE_LIST="_s + dir.filePath(u"male.txt"_s),
                 u"-DFEMALE_LIST="_s + dir.filePath(u"female.txt"_s),
                 u"-DOUTPUT="_s + dir.filePath(u"lists.cpp"_s), u"-P"_s,
                 QStringLiteral(VELMORA_EMBED_SCRIPT)});
    if (!cmake.waitForFinished(60000)) {
        return {};
    }
    return {cmake.exitCode(), QString::fromUtf8(cmake.readAll())};
}

} // namespace

class TestListEmbedding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void malformedListStopsTheBuild_data()
    {
        QTest::addColumn<QByteArray>("femaleList");
        QTest::addColumn<QString>("message");

        QTest::newRow("lower-case given name") << withLine(5, "ann Lee") << u"female.txt:5:"_s;
        QTest::newRow("inner capital") << withLine(6, "Ann McLee") << u"female.txt:6:"_s;
        QTest::newRow("middle name") << withLine(7, "Ann Mary Lee") << u"female.txt:7:"_s;
        QTest::newRow("two blanks") << withLine(8, "Ann  Lee") << u"female.txt:8:"_s;
        QTest::newRow("trailing blank") << withLine(9, "Ann Lee ") << u"female.txt:9:"_s;
        QTest::newRow("hyphen") << withLine(10, "Ann Lee-Ray") << u"female.txt:10:"_s;
        QTest::newRow("apostrophe") << withLine(11, "Ann O'Neill") << u"female.txt:11:"_s;
        QTest::newRow("digit") << withLine(12, "Ann Lee2") << u"female.txt:12:"_s;
        QTest::newRow("accented letter") << withLine(13, "Ren\xc3\xa9 Lee") << u"female.txt:13:"_s;
        QTest::newRow("empty line") << withLine(14, "") << u"female.txt:14:"_s;
        QTest::newRow("6 characters") << withLine(15, "Al Ngo") << u"female.txt:15:"_s;
        QTest::newRow("23 characters")
            << withLine(16, "Maximiliana Thornberrys") << u"female.txt:16:"_s;
        QTest::newRow("one-letter given name")
            << withLine(17, "A Lindqvist") << u"female.txt:17:"_s;
        QTest::newRow("one-letter surname") << withLine(18, "Annabel X") << u"female.txt:18:"_s;
        QTest::newRow("1000 lines") << validList().left(8 * 1000) << u"female.txt:1000:"_s;
        QTest::newRow("1002 lines") << validList() + "Ann Lee\n" << u"female.txt:1002:"_s;
        QTest::newRow("no final line end") << validList().chopped(1) << u"female.txt:1001:"_s;
    }

    void malformedListStopsTheBuild()
    {
        QFETCH(QByteArray, femaleList);
        QFETCH(QString, message);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeFile(dir.filePath(u"male.txt"_s), validList()));
        QVERIFY(writeFile(dir.filePath(u"female.txt"_s), femaleList));

        const EmbedResult result = embedLists(dir);
        QVERIFY2(result.exitCode > 0, qPrintable(result.output));
        QVERIFY2(result.output.contains(message), qPrintable(result.output));
        QVERIFY(!QFile::exists(dir.filePath(u"lists.cpp"_s)));
    }

    void wellFormedListsBecomeSource()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A checkout with Windows line ends holds the same names.
        QVERIFY(
            writeFile(dir.filePath(u"male.txt"_s), QByteArray(validList()).replace("\n", "\r\n")));
        // Right at the limits: 7 characters ("Ann Lee"), 22 characters, and
        // given name and surname of two letters each.
        const QList<QByteArray> limits{"Maximiliana Thornberry", "Jo Harrington", "Annabel Ng"};
        QVERIFY(writeFile(dir.filePath(u"female.txt"_s),
                          withLine(1, limits[0], withLine(2, limits[1], withLine(3, limits[2])))));

        const EmbedResult result = embedLists(dir);
        QVERIFY2(result.exitCode == 0, qPrintable(result.output));
        QFile source(dir.filePath(u"lists.cpp"_s));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray text = source.readAll();
        QCOMPARE(text.count("\"Ann Lee\","), qsizetype(1999));
        for (const QByteArray& name : limits) {
            QVERIFY2(text.contains("\"" + name + "\","), name.constData());
        }
    }
};

QTEST_APPLESS_MAIN(TestListEmbedding)
#include "tst_listembedding.moc"
