// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuildWords.h"

#include "FileWords.h"
#include "Titles.h"
#include "engines/Conversion.h"
#include "page/Installation.h"
#include "page/MissingGlyphs.h"
#include "pipeline/SheetBuilder.h"

#include <QDir>
#include <QFileInfo>

namespace orvanta {

Message BuildWords::buildProblem(const BuildProblem& problem, const QString& pdfShownAs)
{
    using Kind = BuildProblem::Kind;
    switch (problem.kind) {
    case Kind::NoResources:
        return {Titles::missingInfo(), tr("Please add some resources first.")};
    case Kind::NoHeadline:
        return {Titles::missingInfo(), tr("Please enter a headline first.")};
    case Kind::NoFileName:
        return {Titles::missingInfo(), tr("Please enter a name for your pdf file first.")};
    case Kind::BadFileName:
        return {tr("Invalid File Name"), fileNameProblem(problem.fileNameFault, problem.path)};
    case Kind::FolderNotWritable:
        return {Titles::folderNotWritable(), folderNotWritable(problem.path), true};
    case Kind::FileFailed:
        return {Titles::cannotCreate(), FileWords::problem(problem.file), true};
    case Kind::TooManyResources:
        return {tr("Too Many Resources"),
                tr("This sheet has more resources than Orvanta prints: at most %L1. Please split it into smaller "
                   "sheets.")
                    .arg(MaxPrintedResources)};
    case Kind::EngineMissing:
        return {Titles::cannotCreate(), engineMissing(problem.path, problem.engine), true};
    case Kind::ConversionFailed:
        return {tr("PDF Not Created"),
                conversionFailure(problem.conversion, problem.path, problem.timeLimit, pdfShownAs), true};
    case Kind::NoPreviewFolder:
        return {Titles::cannotCreate(),
                tr("The preview could not make its temporary folder: %1.").arg(problem.file.reason), true};
    }
    return {};
}

QString BuildWords::folderNotWritable(const QString& installFolder)
{
    return tr("Orvanta cannot write into its folder:\n%1\n\n"
              "PDFs cannot be created and the disclaimer cannot be saved there. Make this folder writable "
              "for you, or free some space on its disk.")
        .arg(QDir::toNativeSeparators(installFolder));
}

QString BuildWords::fileNameProblem(FileNameFault fault, const QString& name)
{
    switch (fault) {
    case FileNameFault::None:
        break;
    case FileNameFault::Separator:
        return tr("The file name cannot contain \"/\". Please choose another name.");
    case FileNameFault::Reserved:
        return tr("\"%1\" cannot be used as a file name. Please choose another name.").arg(name);
    case FileNameFault::TooLong:
        return tr("The file name is too long. Please choose a shorter name.");
    }
    return {};
}

QString BuildWords::engineMissing(const QString& installFolder, EngineChoice choice)
{
    switch (choice) {
    case EngineChoice::Wkhtmltopdf:
        return tr("The PDF converter wkhtmltopdf was not found.\n\n"
                  "Install it with \"sudo apt install wkhtmltopdf\", or place the program in %1, "
                  "then press Create again.")
            .arg(QDir::toNativeSeparators(InstallPath(installFolder, layout::BinFolder)));
    case EngineChoice::Chromium:
        return tr("The PDF engine Chromium was not found.\n\n"
                  "Install it with \"sudo apt install chromium\", or name the browser program in the "
                  "preferences, then press Create again.");
    case EngineChoice::Automatic:
        break;
    }
    return tr("No PDF engine was found: neither wkhtmltopdf nor Chromium.\n\n"
              "Install one with \"sudo apt install wkhtmltopdf\" or \"sudo apt install chromium\", then "
              "press Create again.");
}

QString BuildWords::conversionFailure(const ConversionResult& result, const QString& pdfPath,
                                      std::chrono::milliseconds timeLimit, const QString& pdfShownAs)
{
    using Outcome = ConversionResult::Outcome;
    const QString pdf = pdfShownAs.isEmpty() ? QDir::toNativeSeparators(pdfPath) : pdfShownAs;
    QString message;
    switch (result.outcome) {
    case Outcome::Succeeded:
        return {};
    case Outcome::FailedToStart:
        message = tr("The PDF converter could not be started: %1.")
                      .arg(result.fault == ConversionResult::Fault::None ? result.detail : engineFault(result));
        break;
    case Outcome::Crashed:
        message = tr("The PDF converter stopped unexpectedly, so %1 was not made.").arg(pdf);
        break;
    case Outcome::NoPdf:
        message = tr("The PDF converter finished (exit code %1) without writing %2.").arg(result.exitCode).arg(pdf);
        break;
    case Outcome::TimedOut:
        message = tr("The PDF converter was still working after %1 seconds and was stopped, so %2 "
                     "was not made. The page took too long to print: it may be too large or too complex.")
                      .arg(std::chrono::duration_cast<std::chrono::seconds>(timeLimit).count())
                      .arg(pdf);
        break;
    case Outcome::NotStored:
        message = tr("The PDF was made but could not be saved as %1: %2.").arg(pdf, result.detail);
        break;
    case Outcome::TooMuchMemory:
        message = tr("The page needed more memory than Orvanta allows (%1 MB) and was stopped, so %2 was not made. "
                     "It may be too large or too complex.")
                      .arg(result.detail, pdf);
        break;
    }
    if (result.outcome != Outcome::NotStored && QFileInfo::exists(pdfPath))
        message += tr("\n\nThe earlier file of that name was kept.");
    const QString reported = result.outcome == Outcome::FailedToStart || result.fault == ConversionResult::Fault::None
                                 ? result.errorLines
                                 : engineFault(result);
    if (!reported.isEmpty())
        message += tr("\n\nThe converter reported:\n") + reported;
    return message;
}

QString BuildWords::engineFault(const ConversionResult& result)
{
    using Fault = ConversionResult::Fault;
    switch (result.fault) {
    case Fault::None:
    case Fault::NotStarted:
        break;
    case Fault::NoTemporaryFile:
        return tr("could not create a file in %1").arg(result.detail);
    case Fault::NoProfileBase:
        return tr("could not make a private folder for the profile in %1").arg(QDir::toNativeSeparators(result.detail));
    case Fault::NoProfileFolder:
        return tr("could not make a profile folder (%1)").arg(result.detail);
    case Fault::NoPipe:
        return tr("could not make a pipe (%1)").arg(result.detail);
    case Fault::BrowserCrashed:
        return tr("the browser stopped unexpectedly");
    case Fault::BrowserExited:
        return tr("the browser exited with code %1").arg(result.exitCode);
    case Fault::BrowserStopped:
        return tr("the browser was stopped");
    case Fault::BrowserNotRunning:
        return tr("the browser is not running");
    case Fault::BrowserClosedPipe:
        return tr("the browser closed its pipe");
    case Fault::RendererCrashed:
        return tr("the page's renderer crashed");
    case Fault::MemoryUsed:
        return tr("the browser used %1 MB").arg(result.usedMegabytes);
    }
    return result.detail;
}

QString BuildWords::missingLook(const QString& look)
{
    return tr("The look \u201c%1\u201d is not installed; printed with Classic.").arg(look);
}

QString BuildWords::missingGlyphs(const QList<char32_t>& characters, EngineKind engine)
{
    if (characters.isEmpty())
        return {};
    constexpr qsizetype Shown = 10;
    QStringList named;
    QStringList packages;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const char32_t character = characters.at(i);
        if (i < Shown) {
            // A character that nothing can show is named by its number.
            const QChar::Category category = QChar::category(character);
            const bool invisible = category == QChar::Other_PrivateUse || category == QChar::Other_NotAssigned ||
                                   category == QChar::Other_Surrogate;
            named.append(invisible ? QStringLiteral("U+%1").arg(quint32(character), 4, 16, QChar(u'0')).toUpper()
                                   : QString::fromUcs4(&character, 1));
        }
        const QString package = FontPackage(character, engine);
        if (!packages.contains(package))
            packages.append(package);
    }
    QString list = named.join(QStringLiteral(", "));
    if (characters.size() > Shown)
        list += QStringLiteral(", …");
    else
        list += u'.';
    QString install = packages.takeLast();
    if (!packages.isEmpty())
        install = tr("%1 and %2").arg(packages.join(QStringLiteral(", ")), install);
    return tr("No installed font has: %1 Install %2.").arg(list, install);
}

QString BuildWords::unlinkedAddresses(const QStringList& addresses)
{
    constexpr qsizetype Shown = 3;
    QString list = addresses.mid(0, Shown).join(QStringLiteral(", "));
    if (addresses.size() > Shown)
        list += QStringLiteral(", …");
    return tr("Printed as text, not as links, since they are not web, mail or phone addresses: %1").arg(list);
}

QString BuildWords::notFitting(int fitPages, qsizetype pages)
{
    if (fitPages == 1)
        return tr("The sheet does not fit on one page even at %1%: it takes %2 pages.")
            .arg(SmallestFitPercent)
            .arg(pages);
    return tr("The sheet does not fit on %1 pages even at %2%: it takes %3 pages.")
        .arg(fitPages)
        .arg(SmallestFitPercent)
        .arg(pages);
}

QString BuildWords::previewProblem(const BuildProblem& problem)
{
    return buildProblem(problem, tr("the preview")).text;
}

QString BuildWords::firstParagraph(const QString& text)
{
    return text.section(QStringLiteral("\n\n"), 0, 0).replace(u'\n', u' ');
}

QString BuildWords::engineLimits(EngineKind engine, bool brief)
{
    if (engine != EngineKind::Wkhtmltopdf)
        return {};
    return brief ? tr("not tagged for screen readers")
                 : tr("This PDF is not tagged for screen readers: wkhtmltopdf cannot do that. Chromium can; choose it "
                      "in Edit > Preferences.");
}

QStringList BuildWords::buildWarnings(const BuildResult& result)
{
    QStringList warnings;
    if (!result.succeeded())
        return warnings;
    if (!result.missingLook.isEmpty())
        warnings.append(missingLook(result.missingLook));
    if (!result.missingGlyphs.isEmpty())
        warnings.append(missingGlyphs(result.missingGlyphs, result.engine));
    if (!result.unlinkedAddresses.isEmpty())
        warnings.append(unlinkedAddresses(result.unlinkedAddresses));
    if (result.pagesNeeded > 0)
        warnings.append(notFitting(result.fitPages, result.pagesNeeded));
    return warnings;
}

} // namespace orvanta
