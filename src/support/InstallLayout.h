#pragma once

#include <QString>

namespace orvanta::layout {

// Fixed paths inside the installation folder, joined with InstallPath().
inline const QString BinFolder = QStringLiteral("/bin");
inline const QString OutputFolder = QStringLiteral("/bin/output");
inline const QString PageTemplate = QStringLiteral("/bin/template.html");
inline const QString SnippetTemplate = QStringLiteral("/bin/repeater.txt");
inline const QString Terms = QStringLiteral("/resources/tos.txt");
inline const QString ResourcesFolder = QStringLiteral("/resources");
inline const QString DefaultTerms = QStringLiteral("/resources/tos_backup.txt");
inline const QString BundledConverter = QStringLiteral("/bin/wkhtmltopdf");

} // namespace orvanta::layout
