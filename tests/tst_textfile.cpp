#include "TestSupport.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace orvanta;

class TestTextFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void loadFailure_data();
    void loadFailure();
    void failedSaveKeepsEarlierFiles_data();
    void failedSaveKeepsEarlierFiles();
};

void TestTextFile::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("line breaks") << u"first\n\n  \nCR LF\r\n\r\nlone CR\rno final line break"_s;
    QTest::newRow("non-Latin") << u"Привет, 世界 — café ☕ 😀\n"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("leading U+FEFF") << u"\uFEFFtext"_s;
}

// Each save replaces a longer earlier file, which must not show through.
void TestTextFile::roundTrip()
{
    QFETCH(QString, text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"saved.txt"_s);
    QVERIFY(writeAll(path, QByteArray(5000, 'z')));
    const FileResult saved = SaveTextFile(path, text);
    QVERIFY2(saved.ok(), qPrintable(saved.message));

    QString loaded = u"not loaded"_s;
    const FileResult result = LoadTextFile(path, loaded);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(loaded, text);
    // Loading drops one leading byte-order mark, so a text that starts with one is stored behind a second.
    const QByteArray mark = text.startsWith(QChar::ByteOrderMark) ? QByteArrayLiteral("\xEF\xBB\xBF") : QByteArray();
    QCOMPARE(readAll(path), mark + text.toUtf8());
}

void TestTextFile::loadFailure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("missing");

    QTest::newRow("missing") << u"missing folder/missing.txt"_s << true;
    QTest::newRow("a folder in its place") << u"a folder"_s << false;
    QTest::newRow("no read permission") << u"locked.txt"_s << false;
    QTest::newRow("not UTF-8") << u"latin1.txt"_s << false;
}

void TestTextFile::loadFailure()
{
    QFETCH(QString, name);
    QFETCH(bool, missing);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    QVERIFY(QDir().mkpath(dir.filePath(u"a folder"_s)));
    QVERIFY(writeAll(dir.filePath(u"locked.txt"_s), QByteArrayLiteral("secret")));
    QVERIFY(QFile::setPermissions(dir.filePath(u"locked.txt"_s), {}));
    QVERIFY(writeAll(dir.filePath(u"latin1.txt"_s), QByteArrayLiteral("Caf\xE9")));
    if (name == u"locked.txt" && QFile(path).open(QIODevice::ReadOnly))
        QSKIP("permissions do not stop reading here (running as root)");

    QString text = u"caller's text"_s;
    const FileResult result = LoadTextFile(path, text);
    QVERIFY(!result.ok());
    QCOMPARE(result.missing(), missing);
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(text, u"caller's text"_s);
}

void TestTextFile::failedSaveKeepsEarlierFiles_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("sizeLimited");
    QTest::addColumn<int>("length");

    QTest::newRow("missing parent folder") << u"nowhere/notes.txt"_s << false << 200000;
    QTest::newRow("target is a folder") << u"folder"_s << false << 200000;
    QTest::newRow("large write cut short") << u"notes.txt"_s << true << 200000;
    // Small enough to sit in a write buffer until the commit.
    QTest::newRow("small write cut short") << u"notes.txt"_s << true << 50;
}

void TestTextFile::failedSaveKeepsEarlierFiles()
{
    QFETCH(QString, target);
    QFETCH(bool, sizeLimited);
    QFETCH(int, length);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString notes = dir.filePath(u"notes.txt"_s);
    const QString inside = dir.filePath(u"folder/inside.txt"_s);
    QVERIFY(QDir(dir.path()).mkpath(u"folder"_s));
    QVERIFY(writeAll(notes, QByteArrayLiteral("earlier text\n")));
    QVERIFY(writeAll(inside, QByteArrayLiteral("earlier text\n")));

    const QString path = dir.filePath(target);
    // A lowered file size limit makes the write fail even for root.
    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    rlimit lowered = old;
    lowered.rlim_cur = sizeLimited ? 10 : old.rlim_cur;
    std::signal(SIGXFSZ, SIG_IGN); // the write fails instead of the process being killed
    QVERIFY(setrlimit(RLIMIT_FSIZE, &lowered) == 0);
    const FileResult result = SaveTextFile(path, QString(length, u'x'));
    QVERIFY(setrlimit(RLIMIT_FSIZE, &old) == 0);
    QVERIFY(!result.ok());
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(readAll(notes), QByteArrayLiteral("earlier text\n"));
    QCOMPARE(readAll(inside), QByteArrayLiteral("earlier text\n"));
    // Nothing new is left behind: no folder made, no half-written temporary file.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{u"folder"_s, u"notes.txt"_s}));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
