#include "Conversion.h"

#include "InstallFolder.h"

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

QString seconds(std::chrono::milliseconds duration)
{
    return QString::number(std::chrono::duration_cast<std::chrono::seconds>(duration).count());
}

} // namespace

QString FindConverter(const QString& installFolder)
{
    QString bundled = InstallPath(installFolder, layout::BundledConverter);
    const QFileInfo info(bundled);
    if (info.isFile() && info.isExecutable())
        return bundled;
    return QStandardPaths::findExecutable(QStringLiteral("wkhtmltopdf"));
}

QString ConverterMissingMessage(const QString& installFolder)
{
    return QStringLiteral("The PDF converter wkhtmltopdf was not found.\n\n"
                          "Install it with \"sudo apt install wkhtmltopdf\", or place the program in %1, "
                          "then press Create again.")
        .arg(QDir::toNativeSeparators(InstallPath(installFolder, layout::BinFolder)));
}

QString ConversionFailureMessage(const ConversionResult& result, const QString& pdfPath,
                                 std::chrono::milliseconds timeLimit)
{
    const QString pdf = QDir::toNativeSeparators(pdfPath);
    QString message;
    switch (result.outcome) {
    case ConversionResult::Outcome::Succeeded:
        return {};
    case ConversionResult::Outcome::FailedToStart:
        message = QStringLiteral("The PDF converter could not be started: %1.").arg(result.detail);
        break;
    case ConversionResult::Outcome::Crashed:
        message = QStringLiteral("The PDF converter stopped unexpectedly, so %1 was not made.").arg(pdf);
        break;
    case ConversionResult::Outcome::NoPdf:
        message = QStringLiteral("The PDF converter finished (exit code %1) without writing %2.")
                      .arg(result.exitCode)
                      .arg(pdf);
        break;
    case ConversionResult::Outcome::TimedOut:
        message = QStringLiteral("The PDF converter was still working after %1 seconds and was stopped, so %2 "
                                 "was not made. A resource of the page may be unreachable.")
                      .arg(seconds(timeLimit), pdf);
        break;
    case ConversionResult::Outcome::NotStored:
        message = QStringLiteral("The PDF was made but could not be saved as %1: %2.").arg(pdf, result.detail);
        break;
    }
    if (result.outcome != ConversionResult::Outcome::NotStored && QFileInfo::exists(pdfPath))
        message += QStringLiteral("\n\nThe earlier file of that name was kept.");
    if (!result.errorLines.isEmpty())
        message += QStringLiteral("\n\nThe converter reported:\n") + result.errorLines;
    return message;
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

QString ConverterErrorLines(const QByteArray& standardError)
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
    return 60s + std::chrono::milliseconds(10 * resourceCount);
}

} // namespace orvanta
