// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

// Fixed paths inside an installation folder, joined with InstallPath() or taken by Installation.
namespace layout {
inline const QString BinFolder = QStringLiteral("/bin");
inline const QString OutputFolder = QStringLiteral("/bin/output");
inline const QString PageTemplate = QStringLiteral("/bin/template.html");
inline const QString SnippetTemplate = QStringLiteral("/bin/repeater.txt");
inline const QString HeadingTemplate = QStringLiteral("/bin/heading.txt"); // optional
inline const QString BundledConverter = QStringLiteral("/bin/wkhtmltopdf");
inline const QString ResourcesFolder = QStringLiteral("/resources");
inline const QString Terms = QStringLiteral("/resources/tos.txt");
inline const QString DefaultTerms = QStringLiteral("/resources/tos_backup.txt");
} // namespace layout

// A folder followed by a fixed relative path such as "/bin/output", with each pair of separators made one ("//bin"
// from the root folder becomes "/bin").
QString InstallPath(const QString& folder, const QString& relative);

// The app writes its pages and PDFs into bin and the disclaimer into resources. False when either folder exists
// but takes no new file: a read-only copy, a folder of another user.
bool InstallFolderWritable(const QString& folder);

// Where the app reads its templates and writes its files. The installation folder holds what ships: the templates,
// the looks, the disclaimer. When the user cannot write it (a package installed by root), the user's folder takes
// every page, PDF and edited disclaimer, and the templates and looks there are read before the installation's. An
// installation the user can write is both, as a build tree or a user's own install is.
class Installation {
public:
    // One folder for reading and writing; not explicit, as a folder the user can write is a whole installation.
    Installation(const QString& folder);
    Installation(const QString& folder, const QString& userFolder);

    // The installation at `folder`, with the user's data folder ($XDG_DATA_HOME/orvanta, made private) when the user
    // cannot write it.
    static Installation At(const QString& folder);
    // The installation of the program in `programFolder`: its own folder, or the one its build names.
    static Installation OfProgram(const QString& programFolder);

    const QString& folder() const { return m_folder; }
    const QString& userFolder() const { return m_userFolder; }

    // The user's copy of a file or folder where there is one, the installation's otherwise.
    QString readPath(const QString& relative) const;
    // Where the app writes it: always in the user's folder.
    QString writePath(const QString& relative) const { return InstallPath(m_userFolder, relative); }

private:
    QString m_folder;
    QString m_userFolder;
};

} // namespace orvanta
