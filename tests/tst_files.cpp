#include "TestSupport.h"
#include "support/Paths.h"
#include "support/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace orvanta;

namespace {

// Lowers the largest file size this process may write, so that a write fails even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_active = getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = m_active && setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace

class TestFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pathExists_data();
    void pathExists();
    void installPath_data();
    void installPath();
    void roundTrip_data();
    void roundTrip();
    void loadDropsLeadingByteOrderMark();
    void loadMissingFile();
    void loadUnreadable();
    void saveFailureKeepsEarlierFile_data();
    void saveFailureKeepsEarlierFile();
    void interruptedSaveKeepsEarlierFile();
    void saveReplacesLongerFile();
};

void TestFiles::pathExists_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("folderWanted");
    QTest::addColumn<bool>("expected");

    QTest::newRow("folder as folder") << QStringLiteral("folder") << true << true;
    QTest::newRow("folder as file") << QStringLiteral("folder") << false << false;
    QTest::newRow("file as file") << QStringLiteral("file.txt") << false << true;
    QTest::newRow("file as folder") << QStringLiteral("file.txt") << true << true;
    QTest::newRow("hidden file") << QStringLiteral(".x") << false << true;
    QTest::newRow("read-only file") << QStringLiteral("ro.txt") << false << true;
    QTest::newRow("missing as file") << QStringLiteral("missing") << false << false;
    QTest::newRow("missing as folder") << QStringLiteral("missing") << true << false;
    QTest::newRow("inside missing folder") << QStringLiteral("missing/file.txt") << true << false;
    QTest::newRow("star matches") << QStringLiteral("*.txt") << false << true;
    QTest::newRow("star matches none") << QStringLiteral("*.pdf") << true << false;
    QTest::newRow("question mark matches") << QStringLiteral("fi?e.txt") << false << true;
    QTest::newRow("question mark is one character") << QStringLiteral("fi?.txt") << true << false;
    QTest::newRow("star over folder only, file wanted") << QStringLiteral("folder/*") << false << false;
    QTest::newRow("star over folder only, folder wanted") << QStringLiteral("folder/*") << true << true;
    QTest::newRow("star in empty folder") << QStringLiteral("empty/*") << true << false;
    QTest::newRow("dot star skips . and ..") << QStringLiteral("empty/.*") << true << false;
    QTest::newRow("star finds hidden file") << QStringLiteral("hiddenonly/*") << false << true;
    QTest::newRow("star inside missing folder") << QStringLiteral("missing/*") << true << false;
    QTest::newRow("brackets are literal") << QStringLiteral("a[1]*") << false << true;
    QTest::newRow("brackets are no character class") << QStringLiteral("b[1]*") << false << false;
    QTest::newRow("dot is literal") << QStringLiteral("a.1*") << false << false;
}

void TestFiles::pathExists()
{
    QFETCH(QString, path);
    QFETCH(bool, folderWanted);
    QFETCH(bool, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path() + u'/';
    QDir top(dir.path());
    QVERIFY(top.mkpath(QStringLiteral("folder/inner")));
    QVERIFY(top.mkpath(QStringLiteral("empty")));
    QVERIFY(top.mkpath(QStringLiteral("hiddenonly")));
    for (const QString& name : {QStringLiteral("file.txt"), QStringLiteral(".x"), QStringLiteral("ro.txt"),
                                QStringLiteral("a[1].txt"), QStringLiteral("b1.txt"), QStringLiteral("hiddenonly/.h")})
        QVERIFY(writeAll(root + name, QByteArrayLiteral("x")));
    QVERIFY(QFile::setPermissions(root + QStringLiteral("ro.txt"), QFile::ReadOwner));

    QCOMPARE(PathExists(root + path, folderWanted), expected);
}

void TestFiles::installPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QStringLiteral("/opt/app") << QStringLiteral("/bin/output")
                           << QStringLiteral("/opt/app/bin/output");
    QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/bin/output") << QStringLiteral("/bin/output");
    QTest::newRow("trailing separator") << QStringLiteral("/opt/app/") << QStringLiteral("/bin/template.html")
                                        << QStringLiteral("/opt/app/bin/template.html");
    QTest::newRow("spaces kept") << QStringLiteral("/home/a b/my app") << QStringLiteral("/resources/tos.txt")
                                 << QStringLiteral("/home/a b/my app/resources/tos.txt");
}

void TestFiles::installPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, relative);
    QFETCH(QString, expected);

    QCOMPARE(InstallPath(folder, relative), expected);
}

void TestFiles::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("lines with blank lines") << QStringLiteral("first\n\n\nsecond\n  \nthird\n");
    QTest::newRow("CR LF kept") << QStringLiteral("one\r\ntwo\r\n\r\n");
    QTest::newRow("lone CR kept") << QStringLiteral("one\rtwo");
    QTest::newRow("no final line break") << QStringLiteral("last line");
    QTest::newRow("empty") << QString();
    QTest::newRow("non-Latin") << QStringLiteral("Привет, 世界 — café ☕ 😀\n");
    QTest::newRow("leading U+FEFF") << QStringLiteral("\uFEFFtext");
}

void TestFiles::roundTrip()
{
    QFETCH(QString, text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("saved.txt"));
    const FileResult saved = SaveTextFile(path, text);
    QVERIFY2(saved.ok(), qPrintable(saved.message));

    QString loaded = QStringLiteral("not loaded");
    const FileResult result = LoadTextFile(path, loaded);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(loaded, text);
    if (!text.startsWith(QChar(0xFEFF)))
        QCOMPARE(readAll(path), text.toUtf8());
}

void TestFiles::loadDropsLeadingByteOrderMark()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("bom.txt"));

    QVERIFY(writeAll(path, QByteArrayLiteral("\xEF\xBB\xBFh\xC3\xA9llo\n")));
    QString text;
    QVERIFY(LoadTextFile(path, text).ok());
    QCOMPARE(text, QStringLiteral("héllo\n"));

    QVERIFY(writeAll(path, QByteArrayLiteral("a\xEF\xBB\xBF")));
    QVERIFY(LoadTextFile(path, text).ok());
    QCOMPARE(text, QStringLiteral("a\uFEFF"));

    QVERIFY(writeAll(path, QByteArrayLiteral("\xEF\xBB\xBF")));
    text = QStringLiteral("old");
    QVERIFY(LoadTextFile(path, text).ok());
    QCOMPARE(text, QString());
}

void TestFiles::loadMissingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("missing folder/missing.txt"));

    QString text = QStringLiteral("caller's text");
    const FileResult result = LoadTextFile(path, text);
    QVERIFY(result.missing());
    QVERIFY(!result.ok());
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(text, QStringLiteral("caller's text"));
}

void TestFiles::loadUnreadable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    // A folder in place of the file cannot be read, not even by root.
    const QString folder = dir.filePath(QStringLiteral("a folder"));
    QVERIFY(QDir().mkpath(folder));
    QString text = QStringLiteral("caller's text");
    FileResult result = LoadTextFile(folder, text);
    QVERIFY(!result.ok());
    QVERIFY(!result.missing());
    QVERIFY2(result.message.contains(folder), qPrintable(result.message));
    QCOMPARE(text, QStringLiteral("caller's text"));

    const QString locked = dir.filePath(QStringLiteral("locked.txt"));
    QVERIFY(writeAll(locked, QByteArrayLiteral("secret")));
    QVERIFY(QFile::setPermissions(locked, {}));
    QFile probe(locked);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("permissions do not stop reading here (running as root)");
    result = LoadTextFile(locked, text);
    QVERIFY(!result.ok());
    QVERIFY(!result.missing());
    QVERIFY2(result.message.contains(locked), qPrintable(result.message));
    QCOMPARE(text, QStringLiteral("caller's text"));
}

void TestFiles::saveFailureKeepsEarlierFile_data()
{
    QTest::addColumn<QString>("target"); // relative to the temporary folder
    QTest::addColumn<QString>("keeper"); // a file whose content must stay as it was

    QTest::newRow("parent is a file") << QStringLiteral("plain.txt/out.txt") << QStringLiteral("plain.txt");
    QTest::newRow("missing parent folder") << QStringLiteral("nowhere/out.txt") << QStringLiteral("plain.txt");
    QTest::newRow("target is a folder") << QStringLiteral("folder") << QStringLiteral("folder/inside.txt");
}

void TestFiles::saveFailureKeepsEarlierFile()
{
    QFETCH(QString, target);
    QFETCH(QString, keeper);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder")));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("plain.txt")), QByteArrayLiteral("earlier text")));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("folder/inside.txt")), QByteArrayLiteral("earlier text")));

    const QString path = dir.filePath(target);
    const FileResult result = SaveTextFile(path, QStringLiteral("new text"));
    QVERIFY(!result.ok());
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(readAll(dir.filePath(keeper)), QByteArrayLiteral("earlier text"));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
}

void TestFiles::interruptedSaveKeepsEarlierFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    QVERIFY(writeAll(path, QByteArrayLiteral("earlier text\n")));

    const QString big(200000, u'x');
    FileResult result;
    {
        FileSizeLimit limit(4096);
        if (!limit.active())
            QSKIP("cannot lower the file size limit");
        result = SaveTextFile(path, big);
    }
    QVERIFY(!result.ok());
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(readAll(path), QByteArrayLiteral("earlier text\n"));
    // No half-written temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("notes.txt")});

    // With the limit gone the same save works.
    QVERIFY(SaveTextFile(path, big).ok());
    QCOMPARE(readAll(path).size(), big.size());
}

void TestFiles::saveReplacesLongerFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    QVERIFY(writeAll(path, QByteArray(5000, 'z')));

    const FileResult result = SaveTextFile(path, QStringLiteral("short\n"));
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(readAll(path), QByteArrayLiteral("short\n"));
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
