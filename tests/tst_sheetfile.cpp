// Sheet files: what they keep, what they refuse, and that a failed save or a damaged file loses nothing.
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
    sheet.disclaimer = true;
    sheet.noteBelowEachResource = true;
    sheet.note = QString(40000, u'n');
    sheet.resources = {{u"Part A---Part B"_s, u"https://x.test/?a=1&b=\"2\""_s},
                       {QStringView(u"nul\0inside", 10).toString(), u"\\path"_s}};
    sheet.fileName = u"my sheet"_s;
    return sheet;
}

} // namespace

class TestSheetFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void read_data();
    void read();
    void unreadableFiles_data();
    void unreadableFiles();
    void failedSaveKeepsTheFile_data();
    void failedSaveKeepsTheFile();
    void damagedCopiesNeverCrash();

private:
    QTemporaryDir m_dir;
};

void TestSheetFile::roundTrip_data()
{
    QTest::addColumn<Sheet>("sheet");
    QTest::newRow("every kind of text") << fullSheet();
    QTest::newRow("a fresh sheet") << Sheet{};
}

void TestSheetFile::roundTrip()
{
    QFETCH(Sheet, sheet);
    const QString path = m_dir.filePath(u"sheet.orvanta"_s);
    QVERIFY(SaveSheet(path, sheet).ok());
    Sheet loaded;
    loaded.headline = u"not loaded"_s;
    const FileResult result = LoadSheet(path, loaded);
    QVERIFY2(result.ok(), qPrintable(result.message));
    QCOMPARE(loaded, sheet);
    // One key a line, so a change of one field is one line in a diff.
    QVERIFY(readAll(path).contains("\n    \"headline\": "));
}

void TestSheetFile::read_data()
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
    const auto refused = [](const char* tag, const QByteArray& json, const char* problem) {
        QTest::newRow(tag) << json << QString::fromUtf8(problem) << Sheet{};
    };
    refused("headline not text", R"({"format": "orvanta-sheet", "version": 1, "headline": 5})",
            "\"headline\" must be text");
    refused("disclaimer not true or false", R"({"format": "orvanta-sheet", "version": 1, "disclaimer": "yes"})",
            "\"disclaimer\" must be true or false");
    refused("resources not a list", R"({"format": "orvanta-sheet", "version": 1, "resources": {}})",
            "\"resources\" must be a list");
    refused("a resource without url", R"({"format": "orvanta-sheet", "version": 1, "resources": [{"text": "t"}]})",
            "\"resources\" must be a list of resources, each with");
    refused("no format", R"({"version": 1, "headline": "H"})", "it is not an Orvanta sheet");
    refused("another format", R"({"format": "other", "version": 1})", "it is not an Orvanta sheet");
    refused("newer version", R"({"format": "orvanta-sheet", "version": 2})",
            "newer version of Orvanta (sheet format 2; this version reads format 1)");
    refused("version as text", R"({"format": "orvanta-sheet", "version": "1"})", "\"version\" must be a whole number");
    refused("not JSON", "headline: H", "it is not a sheet file");
    refused("truncated", R"({"format": "orvanta-sheet", "version": 1, "headl)", "it is not a sheet file");
    refused("a list, not an object", "[1, 2]", "it is not a sheet file");
    refused("empty file", "", "it is not a sheet file");
}

// A refused file leaves the caller's sheet as it was, and the message names the file.
void TestSheetFile::read()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, problem);
    QFETCH(Sheet, expected);

    const QString path = m_dir.filePath(u"read.orvanta"_s);
    QVERIFY(writeAll(path, json));
    Sheet sheet = fullSheet();
    const FileResult result = LoadSheet(path, sheet);
    QCOMPARE(result.ok(), problem.isEmpty());
    QVERIFY2(result.ok() || (result.message.contains(problem) && result.message.contains(path)),
             qPrintable(result.message));
    QCOMPARE(sheet, problem.isEmpty() ? expected : fullSheet());
}

void TestSheetFile::unreadableFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << m_dir.filePath(u"missing.orvanta"_s) << u"the file does not exist"_s;
    QTest::newRow("a folder") << m_dir.path() << u"it is a folder"_s;
    QTest::newRow("50 MB") << m_dir.filePath(u"big.orvanta"_s)
                           << u"too large for a sheet (50 MB; sheets open up to 32 MB)"_s;
    QTest::newRow("random bytes") << m_dir.filePath(u"random.orvanta"_s) << u"it is not a sheet file"_s;
    // Reading fails even for root.
    QTest::newRow("unreadable") << u"/proc/self/mem"_s << u"Could not open"_s;
}

void TestSheetFile::unreadableFiles()
{
    QFETCH(QString, path);
    QFETCH(QString, problem);
    QFile big(m_dir.filePath(u"big.orvanta"_s));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64{50} * 1024 * 1024));
    QByteArray random(4096, 0);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QVERIFY(writeAll(m_dir.filePath(u"random.orvanta"_s), random));

    Sheet sheet = fullSheet();
    const FileResult result = LoadSheet(path, sheet);
    QVERIFY(!result.ok());
    QVERIFY2(result.message.contains(problem) && result.message.contains(path), qPrintable(result.message));
    QCOMPARE(sheet, fullSheet());
}

void TestSheetFile::failedSaveKeepsTheFile_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("the folder takes no file") << false;
    QTest::newRow("the disk fills during the save") << true;
}

void TestSheetFile::failedSaveKeepsTheFile()
{
    QFETCH(bool, diskFull);
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"sheets"_s);
    const QString path = folder + u"/kept.orvanta"_s;
    QVERIFY(QDir().mkdir(folder) && SaveSheet(path, Sheet{}).ok());
    const QByteArray before = readAll(path);

    FileResult result;
    if (diskFull) {
        // A lowered file size limit makes the write fail part way, even for root.
        rlimit old{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        rlimit lowered = old;
        lowered.rlim_cur = 4096;
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &lowered) == 0);
        result = SaveSheet(path, fullSheet());
        QVERIFY(setrlimit(RLIMIT_FSIZE, &old) == 0);
    } else {
        // Permissions do not stop root: a folder of /proc takes no new file for anyone.
        QVERIFY(QDir().rename(folder, folder + u".away"_s) && QFile::link(u"/proc/self"_s, folder));
        result = SaveSheet(path, fullSheet());
        QVERIFY(QFile::remove(folder) && QDir().rename(folder + u".away"_s, folder));
    }
    QVERIFY(!result.ok());
    QVERIFY2(result.message.contains(path), qPrintable(result.message));
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"kept.orvanta"_s});
}

// Thousands of randomly damaged copies of a good file: each loads or is refused with a message.
void TestSheetFile::damagedCopiesNeverCrash()
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
        Sheet sheet;
        const FileResult result = LoadSheet(path, sheet);
        QVERIFY(result.ok() != result.message.contains(path));
        refused += result.ok() ? 0 : 1;
    }
    QVERIFY2(refused > 1000, "the damage should mostly be refused");
}

QTEST_GUILESS_MAIN(TestSheetFile)
#include "tst_sheetfile.moc"
