// Text files and sheet files: what they keep, what they refuse, and that a failed save or a damaged file loses
// nothing.
#include "TestSupport.h"
#include "core/SheetFile.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::Sheet)

namespace orvanta {
char* toString(const Sheet& sheet)
{
    return QTest::toString(QString::fromUtf8(QJsonDocument(SheetToJson(sheet)).toJson(QJsonDocument::Compact)));
}
} // namespace orvanta

namespace {

Sheet fullSheet()
{
    Sheet sheet;
    sheet.headline = u"Speed <b>Tips</b> & Tricks — Привет 速查表 🚀"_s;
    sheet.subheadline = u"two\nlines\r\nand\ttabs"_s;
    sheet.footer = u"---"_s;
    sheet.disclaimer = sheet.noteBelowEachResource = true;
    sheet.note = QString(300, u'n');
    sheet.resources = {{u"Part A---Part B"_s, u"https://x.test/?a=1&b=\"2\""_s},
                       {QStringView(u"nul\0inside", 10).toString(), u"\\path"_s}};
    sheet.fileName = u"my sheet"_s;
    return sheet;
}

// Loads text or a sheet; the message on failure.
FileResult load(const QString& kind, const QString& path)
{
    QString text = u"untouched"_s;
    Sheet sheet = fullSheet();
    const FileResult result = kind == u"text" ? LoadTextFile(path, text) : LoadSheet(path, sheet);
    if (!result.ok() && (text != u"untouched"_s || !(sheet == fullSheet())))
        return {FileResult::Status::Failed, u"the caller's data changed"_s};
    return result;
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textRoundTrip_data();
    void textRoundTrip();
    void sheetRoundTrip_data();
    void sheetRoundTrip();
    void readSheet_data();
    void readSheet();
    void unreadable_data();
    void unreadable();
    void failedSaveKeepsTheFile_data();
    void failedSaveKeepsTheFile();
    void damagedCopiesNeverCrash();

private:
    QTemporaryDir m_dir;
};

void TestFiles::initTestCase()
{
    QFile big(m_dir.filePath(u"big.orvanta"_s));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64{50} * 1024 * 1024));
    QByteArray random(4096, 0);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QVERIFY(writeAll(m_dir.filePath(u"random.orvanta"_s), random));
    QVERIFY(writeAll(m_dir.filePath(u"latin1.txt"_s), "Caf\xE9"));
    QVERIFY(m_dir.isValid() && QDir(m_dir.path()).mkdir(u"folder"_s));
}

void TestFiles::textRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("line breaks, non-Latin") << u"first\n\n  \nCR LF\r\n\r\nlone CR\rПривет, 世界 😀"_s;
    QTest::newRow("leading U+FEFF") << u"\uFEFFtext"_s;
}

// Each save replaces a longer earlier file, which must not show through.
void TestFiles::textRoundTrip()
{
    QFETCH(QString, text);
    const QString path = m_dir.filePath(u"saved.txt"_s);
    QVERIFY(writeAll(path, QByteArray(5000, 'z')));
    QVERIFY(SaveTextFile(path, text).ok());
    QString loaded;
    QVERIFY(LoadTextFile(path, loaded).ok());
    QCOMPARE(loaded, text);
    // Loading drops one leading byte-order mark, so a text that starts with one is stored behind a second.
    const QByteArray mark = text.startsWith(QChar::ByteOrderMark) ? "\xEF\xBB\xBF" : "";
    QCOMPARE(readAll(path), mark + text.toUtf8());
}

void TestFiles::sheetRoundTrip_data()
{
    QTest::addColumn<Sheet>("sheet");
    QTest::newRow("every kind of text") << fullSheet();
    QTest::newRow("a fresh sheet") << Sheet{};
}

void TestFiles::sheetRoundTrip()
{
    QFETCH(Sheet, sheet);
    const QString path = m_dir.filePath(u"sheet.orvanta"_s);
    QVERIFY(SaveSheet(path, sheet).ok());
    Sheet loaded;
    QVERIFY(LoadSheet(path, loaded).ok());
    QCOMPARE(loaded, sheet);
    QVERIFY(readAll(path).contains("\n    \"headline\": ")); // one key a line, for diffs
}

void TestFiles::readSheet_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("problem"); // empty: it reads as `expected`
    QTest::addColumn<Sheet>("expected");

    Sheet some;
    some.headline = u"H"_s;
    some.resources = {{u"t"_s, u"u"_s}};
    QTest::newRow("missing keys take a fresh sheet's values, unknown keys are ignored")
        << QByteArray(R"({"format": "orvanta-sheet", "version": 1, "headline": "H", "theme": "dark",
                         "resources": [{"text": "t", "url": "u", "colour": 3}]})")
        << QString() << some;
    const auto refused = [](const char* tag, const char* json, const char* problem) {
        QTest::newRow(tag) << QByteArray(json) << QString::fromUtf8(problem) << Sheet{};
    };
    refused("headline", R"({"format": "orvanta-sheet", "version": 1, "headline": 5})", "\"headline\" must be text");
    refused("disclaimer", R"({"format": "orvanta-sheet", "version": 1, "disclaimer": "yes"})",
            "\"disclaimer\" must be true or false");
    refused("resource without url", R"({"format": "orvanta-sheet", "version": 1, "resources": [{"text": "t"}]})",
            "\"resources\" must be a list of resources, each with");
    refused("no format", R"({"version": 1, "headline": "H"})", "it is not an Orvanta sheet");
    refused("newer version", R"({"format": "orvanta-sheet", "version": 2})",
            "it was saved by a newer version of Orvanta (sheet format 2; this version reads format 1)");
    refused("version as text", R"({"format": "orvanta-sheet", "version": "1"})", "\"version\" must be a whole");
    refused("not JSON", "headline: H", "it is not a sheet file");
    refused("truncated", R"({"format": "orvanta-sheet", "version": 1, "headl)", "it is not a sheet file");
}

void TestFiles::readSheet()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, problem);
    QFETCH(Sheet, expected);
    const QString path = m_dir.filePath(u"read.orvanta"_s);
    QVERIFY(writeAll(path, json));
    Sheet sheet;
    const FileResult result = problem.isEmpty() ? LoadSheet(path, sheet) : load(u"sheet"_s, path);
    QVERIFY2(problem.isEmpty() ? result.ok()
                               : result.message.startsWith(u"Could not open "_s + path + u": "_s + problem),
             qPrintable(result.message));
    if (problem.isEmpty())
        QCOMPARE(sheet, expected);
}

void TestFiles::unreadable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name"); // in the test's folder, unless absolute
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("missing");
    QTest::newRow("text: missing") << u"text"_s << u"no/missing.txt"_s << u"the file does not exist"_s << true;
    QTest::newRow("text: not UTF-8") << u"text"_s << u"latin1.txt"_s << u"not UTF-8 text"_s << false;
    // Reading /proc/self/mem at its start fails, even for root.
    QTest::newRow("text: unreadable") << u"text"_s << u"/proc/self/mem"_s << u"Could not read"_s << false;
    QTest::newRow("sheet: a folder") << u"sheet"_s << u"folder"_s << u"it is a folder"_s << false;
    QTest::newRow("sheet: 50 MB") << u"sheet"_s << u"big.orvanta"_s
                                  << u"too large for a sheet (50 MB; sheets open up to 32 MB)"_s << false;
    QTest::newRow("sheet: random bytes") << u"sheet"_s << u"random.orvanta"_s << u"it is not a sheet file"_s << false;
    QTest::newRow("sheet: unreadable") << u"sheet"_s << u"/proc/self/mem"_s << u"Could not open"_s << false;
}

// The message names the file and the problem, and the caller's text or sheet stays as it was.
void TestFiles::unreadable()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, problem);
    QFETCH(bool, missing);
    const QString path = name.startsWith(u'/') ? name : m_dir.filePath(name);
    const FileResult result = load(kind, path);
    QVERIFY(!result.ok());
    QCOMPARE(result.missing(), missing);
    QVERIFY2(result.message.contains(problem) && result.message.contains(path), qPrintable(result.message));
}

void TestFiles::failedSaveKeepsTheFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("length"); // of the text saved
    QTest::newRow("text: onto a folder") << u"folder"_s << 100;
    QTest::newRow("sheet: the folder takes no file") << u"read-only"_s << 100;
    QTest::newRow("sheet: the disk fills") << u"disk full"_s << 200000;
    // Small enough to sit in a write buffer until the commit.
    QTest::newRow("sheet: the disk fills, small") << u"disk full"_s << 50;
}

void TestFiles::failedSaveKeepsTheFile()
{
    QFETCH(QString, fault);
    QFETCH(int, length);
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"sheets"_s);
    QString path = folder + u"/kept.orvanta"_s;
    QVERIFY(QDir().mkdir(folder) && writeAll(path, "earlier"));
    Sheet sheet;
    sheet.note = QString(length, u'x');

    FileResult result;
    if (fault == u"folder") {
        path = folder;
        result = SaveTextFile(path, sheet.note);
    } else if (fault == u"disk full") {
        // A lowered file size limit makes the write fail part way, even for root.
        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        rlimit lowered = old;
        lowered.rlim_cur = 10;
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &lowered) == 0);
        result = SaveSheet(path, sheet);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &old) == 0);
    } else {
        // Permissions do not stop root: a folder of /proc takes no new file for anyone.
        QVERIFY(QDir().rename(folder, folder + u".away"_s) && QFile::link(u"/proc/self"_s, folder));
        result = SaveSheet(path, sheet);
        QVERIFY(QFile::remove(folder) && QDir().rename(folder + u".away"_s, folder));
    }
    QVERIFY(!result.ok());
    QVERIFY2(result.message.startsWith(u"Could not save "_s + path), qPrintable(result.message));
    QCOMPARE(readAll(folder + u"/kept.orvanta"_s), "earlier");
    // Nothing new is left behind: no folder made, no half-written temporary file.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{u"kept.orvanta"_s});
}

// Thousands of randomly damaged copies of a good file: each loads or is refused with a message.
void TestFiles::damagedCopiesNeverCrash()
{
    const QString path = m_dir.filePath(u"damaged.orvanta"_s);
    QVERIFY(SaveSheet(path, fullSheet()).ok());
    const QByteArray good = readAll(path);
    QRandomGenerator random(2026);
    int refused = 0;
    for (int copy = 0; copy < 3000; ++copy) {
        QByteArray damaged = good;
        for (int change = random.bounded(1, 6); change > 0; --change) {
            const int at = random.bounded(int(damaged.size()) + 1);
            switch (random.bounded(4)) {
            case 0:
                damaged.truncate(at);
                break;
            case 1:
                damaged.insert(at, char(random.bounded(256)));
                break;
            case 2:
                damaged.remove(at, random.bounded(1, 40));
                break;
            default:
                if (at < damaged.size())
                    damaged[at] = char(random.bounded(256));
            }
        }
        QVERIFY(writeAll(path, damaged));
        const FileResult result = load(u"sheet"_s, path);
        QVERIFY(result.ok() || result.message.startsWith(u"Could not open "_s + path));
        refused += result.ok() ? 0 : 1;
    }
    QVERIFY2(refused > 1000, "the damage should mostly be refused");
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
