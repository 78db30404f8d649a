// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;

// A fresh installation folder for one test, copied from the build tree's ready installation (bin/,
// resources/, without the executable). `subfolder` lets a test put awkward characters in the path.
class TestInstallation {
public:
    explicit TestInstallation(const QString& subfolder = u"app"_s);

    bool isValid() const { return !m_folder.isEmpty(); }
    const QString& folder() const { return m_folder; }
    QString path(const QString& relative) const { return m_folder + relative; }

    // Writes an executable shell script as bin/wkhtmltopdf, which the app prefers to the one on PATH.
    void installConverter(const QString& script) const;

private:
    QTemporaryDir m_root;
    QString m_folder;
};

namespace orvanta {
struct Sheet;
}
// A sheet with every field set, and texts of every awkward kind.
orvanta::Sheet SheetWithEverything();

QByteArray readAll(const QString& path);
bool writeAll(const QString& path, const QByteArray& bytes);

// A converter script that writes a small complete PDF to its last argument, with a page for each button
// (class="cta") of the page it is given.
QString pdfWritingScript(const QString& before = {}, const QString& after = {});

// The text of a PDF (pdftotext), what pdfinfo says of it and the targets of its link annotations.
QString pdfText(const QString& pdfPath);
QString pdfInfo(const QString& pdfPath);
QStringList pdfLinks(const QString& pdfPath);

// Points the user's configuration and state folders at a private folder for the rest of the run.
void isolateUserFolders();

// Puts a folder of /proc, where nobody can make a file, in the place of `folder`, which moves to FOLDER.away.
// Permissions would not stop root.
bool makeUnwritable(const QString& folder);

// A FIFO with no writer, for code that must never wait on one. Whoever still has it open for reading a second
// after it was made is let go (a writer opens and closes it, so the read ends) and recorded: caught() is true.
class FifoTrap {
public:
    explicit FifoTrap(const QString& path);
    ~FifoTrap();
    FifoTrap(const FifoTrap&) = delete;
    FifoTrap& operator=(const FifoTrap&) = delete;

    bool isValid() const { return m_watch.joinable(); }
    bool caught() const { return m_caught; }

private:
    const QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stop = false;
    std::atomic<bool> m_caught = false;
    std::thread m_watch;
};
