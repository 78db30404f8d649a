// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "sheet/Sheet.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

// The build tree's installation without the program and the PDFs a run of it may have made.
TestInstallation::TestInstallation(const QString& subfolder)
{
    namespace fs = std::filesystem;
    const fs::path folder = QFile::encodeName(m_root.path() + u'/' + subfolder).toStdString();
    std::error_code error;
    fs::create_directories(folder, error);
    for (const char* part : {"bin", "resources"}) {
        if (!error)
            fs::copy(fs::path(ORVANTA_APP_TREE) / part, folder / part, fs::copy_options::recursive, error);
    }
    if (m_root.isValid() && !error && fs::remove_all(folder / "bin" / "output", error) != std::uintmax_t(-1))
        m_folder = QFile::decodeName(folder.c_str());
}

void TestInstallation::installConverter(const QString& script) const
{
    const QString path = m_folder + u"/bin/wkhtmltopdf"_s;
    writeAll(path, script.toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

orvanta::Sheet SheetWithEverything()
{
    orvanta::Sheet sheet;
    sheet.headline = u"Speed <b>Tips</b> & Tricks — Привет 速查表 🚀"_s;
    sheet.subheadline = u"two\nlines\r\nand\ttabs"_s;
    sheet.footer = u"---"_s;
    sheet.disclaimer = sheet.noteBelowEachResource = true;
    sheet.note = QString(300, u'n');
    sheet.resources = {{u"Part A---Part B"_s, u"https://x.test/?a=1&b=\"2\""_s},
                       {QStringView(u"nul\0inside", 10).toString(), u"\\path"_s}};
    sheet.fileName = u"my sheet"_s;
    std::tie(sheet.language, sheet.logoText) = std::tuple(u"pt-BR"_s, u"Logo \"A&B\" <i>"_s);
    return sheet;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString pdfWritingScript(const QString& before, const QString& after)
{
    return uR"(#!/bin/sh
for a; do page=$out; out=$a; done; set -- "$page" "$out"
%1
n=$(grep -o 'class="cta"' "$1" 2>/dev/null | wc -l); kids=""; pages=""
for i in $(seq 3 $((n + 2))); do kids="$kids $i 0 R"; pages="$pages$i 0 obj<</Type/Page/Parent 2 0 R>>endobj
"; done
printf '%%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[%s]/Count %d/MediaBox[0 0 595 842]>>endobj\n%strailer<</Root 1 0 R>>\n%%%%EOF\n' "$kids" "$n" "$pages" > "$2"
%2
)"_s.arg(before, after);
}

namespace {
QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

QString pdfText(const QString& pdfPath)
{
    return output(u"pdftotext"_s, {u"-layout"_s, pdfPath, u"-"_s});
}

QString pdfInfo(const QString& pdfPath)
{
    return output(u"pdfinfo"_s, {pdfPath});
}

// Link annotations are plain objects in the converter's output: "/URI (address)", with PDF string escapes.
QStringList pdfLinks(const QString& pdfPath)
{
    static const QRegularExpression uri(QStringLiteral(R"(/URI \(((?:[^()\\]|\\.)*)\))"));
    QStringList links;
    const QString bytes = QString::fromLatin1(readAll(pdfPath));
    static const QRegularExpression escaped(QStringLiteral(R"(\\(.))"));
    for (auto it = uri.globalMatch(bytes); it.hasNext();)
        links.append(it.next().captured(1).replace(escaped, u"\\1"_s));
    return links;
}

bool makeUnwritable(const QString& folder)
{
    return QDir().rename(folder, folder + u".away"_s) && QFile::link(u"/proc/self"_s, folder);
}

void isolateUserFolders()
{
    static QTemporaryDir home;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"})
        qputenv(variable, QFile::encodeName(home.path() + u'/' + QString::fromLatin1(variable)));
}

FifoTrap::FifoTrap(const QString& path)
    : m_path(path)
{
    const QByteArray name = QFile::encodeName(path);
    if (mkfifo(name.constData(), 0600) != 0)
        return;
    m_watch = std::thread([this, name] {
        std::unique_lock lock(m_mutex);
        if (m_done.wait_for(lock, std::chrono::seconds(1), [this] { return m_stop; }))
            return;
        // Opening for writing without blocking succeeds only while a reader has the FIFO open.
        if (const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC); fd >= 0) {
            m_caught = true;
            ::close(fd);
        }
    });
}

FifoTrap::~FifoTrap()
{
    if (m_watch.joinable()) {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_done.notify_all();
        m_watch.join();
    }
    QFile::remove(m_path);
}
