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

    QTest::newRow("line breaks") << QStringLiteral("first\n\n  \nCR LF\r\n\r\nlone CR\rno final line break");
    QTest::newRow("non-Latin") << QStringLiteral("Привет, 世界 — café ☕ 😀\n");
    QTest::newRow("empty") << QString();
    QTest::newRow("leading U+FEFF") << QStringLiteral("\uFEFFtext");
}

// Each save replaces a longer earlier file, which must not show through.
void TestTextFile::roundTrip()
{
    QFETCH(QString, text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("saved.txt"));
    QVERIFY(writeAll(path, QByteArray(5000, 'z')));
    const FileResult saved = SaveTextFile(path, text);
    QVERIFY2(saved.ok(), qPrintable(saved.message));

    QString loaded = QStringLiteral("not loaded");
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

    QTest::newRow("missing") << QStringLiteral("missing folder/missing.txt") << true;
    QTest::newRow("a folder in its place") << QStringLiteral("a folder") << false;
    QTest::newRow("no read permission") << QStringLiteral("locked.txt") << false;
    QTest::newRow("not UTF-8") << QStringLiteral("latin1.txt") << false;
}

void TestTextFile::loadFailure()
{
    QFETCH(QString, name);
    QFETCH(bool, missing);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("a folder"))));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("locked.txt")), QByteArrayLiteral("secret")));
    QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("locked.txt")), {}));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("latin1.txt")), QByteArrayLiteral("Caf\xE9")));
    if (name == u"locked.txt" && QFile(path).open(QIODevice::ReadOnly))
        QSKIP("permissions do not stop reading here (running as root)");

    QString text = QStringLiteral("caller's text");
    const FileResult result = LoadTextFile(path, text);
    QVERIFY(!result.ok());
    QCOMPARE(result.missing(), missing);
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(text, QStringLiteral("caller's text"));
}

void TestTextFile::failedSaveKeepsEarlierFiles_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("sizeLimited");
    QTest::addColumn<int>("length");

    QTest::newRow("missing parent folder") << QStringLiteral("nowhere/notes.txt") << false << 200000;
    QTest::newRow("target is a folder") << QStringLiteral("folder") << false << 200000;
    QTest::newRow("large write cut short") << QStringLiteral("notes.txt") << true << 200000;
    // Small enough to sit in a write buffer until the commit.
    QTest::newRow("small write cut short") << QStringLiteral("notes.txt") << true << 50;
}

void TestTextFile::failedSaveKeepsEarlierFiles()
{
    QFETCH(QString, target);
    QFETCH(bool, sizeLimited);
    QFETCH(int, length);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString notes = dir.filePath(QStringLiteral("notes.txt"));
    const QString inside = dir.filePath(QStringLiteral("folder/inside.txt"));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder")));
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
             (QStringList{QStringLiteral("folder"), QStringLiteral("notes.txt")}));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
