// The build refuses a malformed name list, naming the file and the line.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QByteArray validList()
{
    return QByteArray("Ann Lee\n").repeated(1001);
}

QByteArray withLine(int lineNumber, const QByteArray& text, const QByteArray& list = validList())
{
    QList<QByteArray> lines = list.split('\n');
    lines[lineNumber - 1] = text;
    return lines.join('\n');
}

struct Embedded
{
    int exitCode = -1;
    QString output;
    std::optional<QByteArray> source; // lists.cpp, when the step wrote it
};

// Runs the build's list step on these lists, in a folder of its own.
Embedded embedLists(const QByteArray& male, const QByteArray& female)
{
    QTemporaryDir dir;
    for (const auto& [name, list] : {std::pair{"male.txt", male}, {"female.txt", female}}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size()) {
            return {-1, u"cannot write "_s + file.fileName(), {}};
        }
    }
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
    Embedded result{cmake.exitCode(), QString::fromUtf8(cmake.readAll()), {}};
    if (QFile source(dir.filePath(u"lists.cpp"_s)); source.open(QIODevice::ReadOnly)) {
        result.source = source.readAll();
    }
    return result;
}

} // namespace

class TestListEmbedding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void malformedListStopsTheBuild_data()
    {
        QTest::addColumn<QByteArray>("femaleList");
        QTest::addColumn<int>("line");
        QTest::newRow("lower-case given name") << withLine(5, "ann Lee") << 5;
        QTest::newRow("inner capital") << withLine(6, "Ann McLee") << 6;
        QTest::newRow("middle name") << withLine(7, "Ann Mary Lee") << 7;
        QTest::newRow("two blanks") << withLine(8, "Ann  Lee") << 8;
        QTest::newRow("trailing blank") << withLine(9, "Ann Lee ") << 9;
        QTest::newRow("hyphen") << withLine(10, "Ann Lee-Ray") << 10;
        QTest::newRow("apostrophe") << withLine(11, "Ann O'Neill") << 11;
        QTest::newRow("digit") << withLine(12, "Ann Lee2") << 12;
        QTest::newRow("accented letter") << withLine(13, "Ren\xc3\xa9 Lee") << 13;
        QTest::newRow("empty line") << withLine(14, "") << 14;
        QTest::newRow("6 characters") << withLine(15, "Al Ngo") << 15;
        QTest::newRow("23 characters") << withLine(16, "Maximiliana Thornberrys") << 16;
        QTest::newRow("one-letter given name") << withLine(17, "A Lindqvist") << 17;
        QTest::newRow("one-letter surname") << withLine(18, "Annabel X") << 18;
        QTest::newRow("1000 lines") << validList().left(8 * 1000) << 1000;
        QTest::newRow("1002 lines") << validList() + "Ann Lee\n" << 1002;
        QTest::newRow("no final line end") << validList().chopped(1) << 1001;
    }

    void malformedListStopsTheBuild()
    {
        QFETCH(QByteArray, femaleList);
        QFETCH(int, line);
        const Embedded result = embedLists(validList(), femaleList);
        QVERIFY2(result.exitCode > 0, qPrintable(result.output));
        QVERIFY2(result.output.contains(u"female.txt:%1:"_s.arg(line)), qPrintable(result.output));
        QVERIFY(!result.source);
    }

    void wellFormedListsBecomeSource()
    {
        // Right at the limits: 7 characters ("Ann Lee"), 22 characters, and
        // given name and surname of two letters each.
        const QList<QByteArray> limits{"Maximiliana Thornberry", "Jo Harrington", "Annabel Ng"};
        // A checkout with Windows line ends holds the same names.
        const Embedded result =
            embedLists(validList().replace("\n", "\r\n"),
                       withLine(1, limits[0], withLine(2, limits[1], withLine(3, limits[2]))));
        QVERIFY2(result.exitCode == 0 && result.source, qPrintable(result.output));
        QCOMPARE(result.source->count("\"Ann Lee\\n\""), qsizetype(1999));
        for (const QByteArray& name : limits) {
            QVERIFY2(result.source->contains("\"" + name + "\\n\""), name.constData());
        }
    }
};

QTEST_APPLESS_MAIN(TestListEmbedding)
#include "tst_listembedding.moc"
