// SPDX-License-Identifier: GPL-3.0-or-later
#include "Conversion.h"

#include "page/Installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace orvanta {

namespace {

constexpr int MaxErrorLines = 4;

bool isNoise(const QString& line)
{
    static const QRegularExpression phase(QStringLiteral("^[A-Z][a-z]+( [a-z]+)* \\(\\d+/\\d+\\)$"));
    return line.startsWith(u'[') || line == u"Done" || line.startsWith(QStringLiteral("QStandardPaths:")) ||
           line.startsWith(QStringLiteral("qt.")) || phase.match(line).hasMatch();
}

QStringList lastLines(const QStringList& lines)
{
    return lines.mid(qMax<qsizetype>(0, lines.size() - MaxErrorLines));
}

} // namespace

bool HasBundledWkhtmltopdf(const QString& installFolder)
{
    const QFileInfo info(InstallPath(installFolder, layout::BundledConverter));
    return info.isFile() && info.isExecutable();
}

QString FindWkhtmltopdf(const QString& installFolder)
{
    if (HasBundledWkhtmltopdf(installFolder))
        return InstallPath(installFolder, layout::BundledConverter);
    return QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf"));
}

bool IsCompletePdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(5) != "%PDF-")
        return false;
    constexpr qint64 tailSize = 1024;
    file.seek(qMax<qint64>(0, file.size() - tailSize));
    return file.read(tailSize).contains("%%EOF");
}

QString WkhtmltopdfErrorLines(const QByteArray& standardError)
{
    QStringList errors;
    QStringList others;
    QStringList warnings;
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]"));
    const QStringList lines = QString::fromLocal8Bit(standardError).split(lineBreaks, Qt::SkipEmptyParts);
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || isNoise(line))
            continue;
        if (line.startsWith(QStringLiteral("Error:")))
            errors.append(line);
        else if (line.startsWith(QStringLiteral("Warning:")))
            warnings.append(line);
        else
            others.append(line);
    }
    const QStringList& chosen = !errors.isEmpty() ? errors : !others.isEmpty() ? others : warnings;
    return lastLines(chosen).join(u'\n');
}

std::chrono::milliseconds ConversionTimeLimit(qsizetype resourceCount)
{
    using namespace std::chrono_literals;
    return std::min<std::chrono::milliseconds>(60s + std::chrono::milliseconds(10 * resourceCount),
                                               ConversionTimeCeiling);
}

} // namespace orvanta
