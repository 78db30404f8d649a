// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

// Fixed paths inside the installation folder, the folder that holds the program; joined with InstallPath().
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

// The installation folder followed by a fixed relative path such as "/bin/output", with each pair of
// separators made one ("//bin" from the root folder becomes "/bin").
QString InstallPath(const QString& installFolder, const QString& relative);

// The app writes its pages and PDFs into bin and the disclaimer into resources. False when either folder exists
// but takes no new file: a read-only copy, a folder of another user.
bool InstallFolderWritable(const QString& installFolder);

} // namespace orvanta
