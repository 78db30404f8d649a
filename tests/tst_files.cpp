// SPDX-License-Identifier: GPL-3.0-or-later
// Text and sheet files: what they keep and refuse; a failed save or a damaged file loses nothing.
#include "TestSupport.h"
#include "sheet/OwnFolders.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"
#include "words/FileWords.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::Sheet)

namespace orvanta {
char* toString(const Sheet& sheet)
{
    return QTest::toString(QString::fromUtf8(QJsonDocument(SheetToJson(sheet)).toJson(QJsonDocument::Compact)));
}
} // namespace orvanta

namespace {

// Loads text or a sheet; the problem on failure.
std::optional<FileProblem> load(const QString& kind, const QString& path)
{
    if (kind == u"text") {
        const Expected<QString, FileProblem> text = LoadTextFile(path);
        return text ? std::nullopt : std::optional(text.error());
    }
    const Expected<Sheet, FileProblem> sheet =
        kind == u"stream" ? LoadSheet(path, FileKinds::StreamsToo) : LoadSheet(path);
    return sheet ? std::nullopt : std::optional(sheet.error());
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QFile big(m_dir.filePath(u"big.orvanta"_s));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64{50} * 1024 * 1024));
        // Read to its last byte: its one fault is at the end.
        const QByteArray head = "{\"format\": \"orvanta-sheet\", \"version\": 1, ", tail = "\"headline\": 5}";
        QVERIFY(writeAll(m_dir.filePath(u"largest.orvanta"_s),
                         head + QByteArray(MaxSheetFileBytes - head.size() - tail.size(), ' ') + tail));
        QByteArray random(4096, 0);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
        QVERIFY(writeAll(m_dir.filePath(u"random.orvanta"_s), random));
        QVERIFY(writeAll(m_dir.filePath(u"latin1.txt"_s), "Caf\xE9"));
        QVERIFY(m_dir.isValid() && QDir(m_dir.path()).mkdir(u"folder"_s));
    }

    void sheetRoundTrip_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<int>("version"); // 2 with headings, 3 with descriptions or a fit: what older formats lack
        QTest::newRow("every kind of text") << SheetWithEverything() << 1;
        QTest::newRow("a fresh sheet") << Sheet{} << 1;
        Sheet tracked;
        std::tie(tracked.campaignSource, tracked.campaignName, tracked.qrCodes) = std::tuple(u"s"_s, u"a&b"_s, true);
        QTest::newRow("campaign and QR codes") << tracked << 1;
        Sheet sections = SheetWithEverything();
        sections.resources.insert(1, HeadingEntry(u"## <b>Tools</b> — 速查表"_s));
        sections.resources.append(HeadingEntry(u" "_s));
        QTest::newRow("headings") << sections << 2;
        Sheet fitted = sections;
        fitted.fitPages = 2; // a format 2 reader would print it at full size: it refuses 3
        QTest::newRow("fit on two pages") << fitted << 3;
        sections.resources[0].description = u"<b>#FOOTER#</b>\tx"_s; // a format 2 reader would drop it
        QTest::newRow("headings and a description") << sections << 3;
        Sheet designed;
        designed.look = u"my look"_s;
        designed.accent = u"#0A7cff"_s;
        designed.logo = u"data:image/svg+xml;base64,"_s + QString::fromLatin1(QByteArray("<svg/>").toBase64());
        designed.pageSize = u"Letter"_s;
        QTest::newRow("design") << designed << 1;
    }

    void sheetRoundTrip()
    {
        QFETCH(Sheet, sheet);
        QFETCH(int, version);
        const QString path = m_dir.filePath(u"sheet.orvanta"_s);
        QVERIFY(!SaveSheet(path, sheet));
        const Expected<Sheet, FileProblem> loaded = LoadSheet(path);
        QVERIFY(loaded);
        QCOMPARE(*loaded, sheet);
        QVERIFY(readAll(path).contains("\n    \"headline\": ")); // one key a line, for diffs
        QCOMPARE(QJsonDocument::fromJson(readAll(path)).object().value(u"version"_s), version);
    }

    void readSheet()
    {
        Sheet some;
        some.headline = u"H"_s;
        some.resources = {{u"t"_s, u"u"_s}};
        const QString path = m_dir.filePath(u"read.orvanta"_s);
        QVERIFY(writeAll(
            path, "{\"format\": \"orvanta-sheet\", \"version\": 1, \"headline\": \"H\", \"theme\": \"dark\",\n         "
                  "                         \"resources\": [{\"text\": \"t\", \"url\": \"u\", \"colour\": 3}]}"));
        const Expected<Sheet, FileProblem> sheet = LoadSheet(path);
        QVERIFY(sheet);
        some.language = u"en"_s; // what the looks said before sheets had a language
        QCOMPARE(*sheet, some);  // missing keys take a fresh sheet's values, unknown keys are ignored
    }

    void refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("file"); // what the file holds, or "@NAME": a file of the test's folder, "/..."
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* tag, const char* kind, const QByteArray& file, const char* problem) {
            QTest::newRow(tag) << QString::fromLatin1(kind) << file << QString::fromUtf8(problem);
        };
        const QByteArray sheet = "{\"format\": \"orvanta-sheet\", \"version\": 1, ";
        row("headline", "sheet", sheet + "\"headline\": 5}", "\"headline\" must be text");
        row("disclaimer", "sheet", sheet + "\"disclaimer\": \"yes\"}", "\"disclaimer\" must be true or false");
        row("QR codes", "sheet", sheet + "\"qrCodes\": 1}", "\"qrCodes\" must be true or false");
        row("resource without url", "sheet", sheet + "\"resources\": [{\"text\": \"t\"}]}",
            "\"resources\" must be a list of resources, each with");
        const QByteArray png = "data:image/png;base64," + QByteArray("\x89PNG\r\n\x1a\n").toBase64();
        row("accent not a colour", "sheet", sheet + "\"accent\": \"red\"}",
            "\"accent\" must be a colour written #RRGGBB");
        row("accent of 8 digits", "sheet", sheet + "\"accent\": \"#d7261eff\"}", "\"accent\" must be a colour");
        row("accent before a line break", "sheet", sheet + "\"accent\": \"#ffffff\\n\"}",
            "\"accent\" must be a colour");
        row("logo before a line break", "sheet", sheet + "\"logo\": \"" + png + "\\n\"}", "\"logo\" must be a PNG");
        const auto svg = [](const QByteArray& body) { return "data:image/svg+xml;base64," + body.toBase64(); };
        row("SVG logo with an entity in a comment", "sheet",
            sheet + "\"logo\": \"" + svg("<svg><!-- <!ENTITY x SYSTEM \"file:///etc/passwd\"> --></svg>") + "\"}",
            "\"logo\" is an SVG with a DOCTYPE or ENTITY");
        row("SVG logo with a doctype", "sheet",
            sheet + "\"logo\": \"" + svg("<?xml version=\"1.0\"?><!doctype svg><svg/>") + "\"}",
            "\"logo\" is an SVG with a DOCTYPE or ENTITY");
        row("paper", "sheet", sheet + "\"pageSize\": \"a4\"}", "\"pageSize\" must be \"A4\" or \"Letter\"");
        for (const char* tag : {"", "de_DE", "deutsch", "de-", "en-US-x", "de\\\"><b>", "pt-BR\\n"})
            row(qPrintable(u"language %1"_s.arg(QString::fromLatin1(tag))), "sheet",
                sheet + "\"language\": \"" + tag + "\"}", "\"language\" must be a language tag");
        row("language not text", "sheet", sheet + "\"language\": [\"de\"]}", "\"language\" must be text");
        row("logo a file", "sheet", sheet + "\"logo\": \"file:///etc/passwd\"}", "\"logo\" must be a PNG, JPEG or SVG");
        row("logo as HTML", "sheet", sheet + "\"logo\": \"data:text/html;base64,PGI+\"}", "\"logo\" must be a PNG");
        row("logo breaking out", "sheet", sheet + "\"logo\": \"data:image/png;base64,\\\" onerror=x\"}",
            "\"logo\" must be a PNG");
        row("logo not what it says", "sheet", sheet + "\"logo\": \"data:image/jpeg" + png.mid(14) + "\"}",
            "\"logo\" does not hold the image its data: URI names");
        row("logo over 1 MB", "sheet",
            sheet + "\"logo\": \"data:image/png;base64," +
                (QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(1024 * 1024, 'A')).toBase64() + "\"}",
            "\"logo\" is over 1 MB");
        row("no format", "sheet", "{\"version\": 1, \"headline\": \"H\"}", "it is not an Orvanta sheet");
        row("heading without a title", "sheet",
            sheet + "\"resources\": [{\"text\": \"t\", \"url\": \"u\"}, {\"heading\": \"\"}]}",
            "\"resources\" must be a list of resources, each \"heading\" with a title");
        row("heading not text", "sheet", sheet + "\"resources\": [{\"heading\": [\"t\"]}]}",
            "\"resources\" must be a list of resources, each \"heading\" with a title");
        row("description not text", "sheet",
            sheet + "\"resources\": [{\"text\": \"t\", \"url\": \"u\", \"description\": 1}]}",
            "\"description\" must be text");
        row("newer version", "sheet", "{\"format\": \"orvanta-sheet\", \"version\": 4}",
            "it was saved by a newer version of Orvanta (sheet format 4; this version reads format 3)");
        for (const char* pages : {"3", "-1", "1.5", "\"1\"", "true"})
            row(pages, "sheet", sheet + "\"fitPages\": " + pages + "}",
                "\"fitPages\" must be a number of pages from 0 to 2");
        row("version as text", "sheet", "{\"format\": \"orvanta-sheet\", \"version\": \"1\"}",
            "\"version\" must be a whole");
        row("not JSON", "sheet", "headline: H", "it is not a sheet file");
        row("truncated", "sheet", sheet + "\"headl", "it is not a sheet file");
        row("random bytes", "sheet", "@random.orvanta", "it is not a sheet file");
        row("a folder", "sheet", "@folder", "it is a folder");
        row("50 MB", "sheet", "@big.orvanta", "it is too large for a sheet (50 MB; sheets open up to 32 MB)");
        row("missing", "sheet", "@missing.orvanta", "the file does not exist");
        row("the largest that opens", "sheet", "@largest.orvanta", "\"headline\" must be text");
        // Reading /proc/self/mem at its start fails, even for root.
        row("unreadable sheet", "sheet", "/proc/self/mem", "");
        row("unreadable text", "text", "/proc/self/mem", "");
        // A device without end, reporting size 0 as /proc files and FIFOs do: read up to the limit, not forever.
        row("an endless stream", "stream", "/dev/zero", "it holds more than 32 MB");
        // The window reads regular files only; the command line ("stream") reads a FIFO if a program writes to it.
        row("a device in the window", "sheet", "/dev/zero", "it is not a regular file");
        row("a FIFO in the window", "sheet", "@fifo", "it is not a regular file");
        row("text from a FIFO", "text", "@fifo", "it is not a regular file");
        row("a FIFO no program writes to", "stream", "@fifo", "no program is writing to it");
        row("text not UTF-8", "text", "@latin1.txt", "the file is not UTF-8 text");
    }

    // The message names the file and the problem.
    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        QString path =
            file.startsWith('/') ? QString::fromLatin1(file) : m_dir.filePath(QString::fromLatin1(file.mid(1)));
        if (!file.startsWith('@') && !file.startsWith('/')) {
            path = m_dir.filePath(u"refused.orvanta"_s);
            QVERIFY(writeAll(path, file));
        }
        std::optional<FifoTrap> fifo;
        if (file == "@fifo")
            fifo.emplace(path);
        const std::optional<FileProblem> result = load(kind, path);
        QVERIFY(result);
        const QString message = FileWords::problem(*result);
        QVERIFY2(
            message.startsWith(u"Could not %1 %2: %3"_s.arg(kind == u"text" ? u"read"_s : u"open"_s, path, problem)),
            qPrintable(message));
        QCOMPARE(result->kind == FileProblem::Kind::Missing, problem.contains(u"does not exist"_s));
        QVERIFY(!fifo || !fifo->caught());
    }

    // A FIFO reports size 0: its sheet is read whole, over several steps, on the command line. The writer is
    // there before the reader, as with a shell's <(...).
    void sheetFromAStream()
    {
        Sheet sheet;
        sheet.note = QString(300000, u'x');
        const QString fifo = m_dir.filePath(u"stream.orvanta"_s);
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QByteArray bytes = QJsonDocument(SheetToJson(sheet)).toJson();
        QFile writerEnd;
        QVERIFY(writerEnd.open(::open(QFile::encodeName(fifo).constData(), O_RDWR | O_CLOEXEC), QIODevice::WriteOnly,
                               QFileDevice::AutoCloseHandle));
        std::thread writer([&] {
            writerEnd.write(bytes);
            writerEnd.close();
        });
        const Expected<Sheet, FileProblem> loaded = LoadSheet(fifo, FileKinds::StreamsToo);
        writer.join();
        QVERIFY2(loaded, qPrintable(loaded ? QString() : FileWords::problem(loaded.error())));
        QCOMPARE(*loaded, sheet);
    }

    void failedSaveKeepsTheFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("length"); // of the text saved
        QTest::newRow("sheet: the folder takes no file") << u"read-only"_s << 100;
        QTest::newRow("sheet: the disk fills") << u"disk full"_s << 200000;
        // Small enough to sit in a write buffer until the commit.
        QTest::newRow("sheet: the disk fills, small") << u"disk full"_s << 50;
    }

    void failedSaveKeepsTheFile()
    {
        QFETCH(QString, fault);
        QFETCH(int, length);
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"sheets"_s);
        const QString path = folder + u"/kept.orvanta"_s;
        QVERIFY(QDir().mkdir(folder) && writeAll(path, "earlier"));
        Sheet sheet;
        sheet.note = QString(length, u'x');

        std::optional<FileProblem> result;
        if (fault == u"disk full") {
            // A lowered file size limit makes the write fail part way, even for root.
            rlimit old{};
            std::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
            const rlimit lowered{10, old.rlim_max};
            QVERIFY(setrlimit(RLIMIT_FSIZE, &lowered) == 0);
            result = SaveSheet(path, sheet);
            QVERIFY(setrlimit(RLIMIT_FSIZE, &old) == 0);
        } else {
            QVERIFY(makeUnwritable(folder));
            result = SaveSheet(path, sheet);
            QVERIFY(QFile::remove(folder) && QDir().rename(folder + u".away"_s, folder));
        }
        QVERIFY(result);
        const QString message = FileWords::problem(*result);
        QVERIFY2(message.startsWith(u"Could not save "_s + path), qPrintable(message));
        QCOMPARE(readAll(folder + u"/kept.orvanta"_s), "earlier");
        // Nothing new is left behind: no folder made, no half-written temporary file.
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"kept.orvanta"_s});
    }

    // Thousands of randomly damaged copies of a good file: each loads or is refused with a message.
    void damagedCopiesNeverCrash()
    {
        const QString path = m_dir.filePath(u"damaged.orvanta"_s);
        QVERIFY(!SaveSheet(path, SheetWithEverything()));
        const QByteArray good = readAll(path);
        QRandomGenerator random(2026);
        int refused = 0;
        for (int copy = 0; copy < 3000; ++copy) {
            QByteArray damaged = good;
            for (int change = random.bounded(1, 6); change > 0; --change) {
                const int at = random.bounded(int(damaged.size()) + 1);
                if (const int kind = random.bounded(3); kind == 0)
                    damaged.truncate(at);
                else if (kind == 1)
                    damaged.insert(at, char(random.bounded(256)));
                else
                    damaged.remove(at, random.bounded(1, 40));
            }
            QVERIFY(writeAll(path, damaged));
            const std::optional<FileProblem> result = load(u"sheet"_s, path);
            QVERIFY(!result || FileWords::problem(*result).startsWith(u"Could not open "_s + path));
            refused += result ? 1 : 0;
        }
        QVERIFY2(refused > 1000, "the damage should mostly be refused");
    }

    // A folder tree goes, a link to a file inside it goes as a link; a link given with a slash at the end, or a folder
    // of another user, is left alone. (A link to a folder, inside or in its place: tst_engines::staleProfiles.)
    void removeOwnFolder()
    {
        const QString victim = m_dir.filePath(u"victim"_s), tree = m_dir.filePath(u"tree"_s);
        QVERIFY(writeAll(victim, "v") && QDir().mkpath(tree + u"/a/b"_s) && writeAll(tree + u"/a/b/.file"_s, "x"));
        QVERIFY(QFile::link(victim, tree + u"/a/file-link"_s) && QFile::link(tree, m_dir.filePath(u"link"_s)));
        QVERIFY(!RemoveOwnFolder(m_dir.filePath(u"link/"_s)));
        QVERIFY(RemoveOwnFolder(tree) && !QFileInfo::exists(tree) && RemoveOwnFolder(tree));
        QCOMPARE(readAll(victim), QByteArray("v"));
        if (::geteuid() == 0) { // only root can give a folder away
            QVERIFY(QDir().mkpath(tree) && ::chown(QFile::encodeName(tree).constData(), 65534, 65534) == 0);
            QVERIFY(!RemoveOwnFolder(tree) && QFileInfo::exists(tree));
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
