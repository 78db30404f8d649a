// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileWords.h"

#include "cover/CoverImage.h"
#include "sheet/SheetFile.h"

#include <QDir>

namespace orvanta {

namespace {

constexpr qint64 Megabyte = 1024 * 1024;

} // namespace

QString FileWords::problem(const FileProblem& problem)
{
    using Kind = FileProblem::Kind;
    QString reason;
    switch (problem.kind) {
    case Kind::Missing:
        reason = tr("the file does not exist");
        break;
    case Kind::Folder:
        reason = tr("it is a folder");
        break;
    case Kind::NotRegular:
        reason = tr("it is not a regular file");
        break;
    case Kind::TooLarge:
        reason = tr("it holds more than %1 MB").arg(problem.limit / Megabyte);
        break;
    case Kind::NoEnd:
        reason = tr("it did not end within %1 seconds").arg(problem.limit);
        break;
    case Kind::NoWriter:
        reason = tr("no program is writing to it");
        break;
    case Kind::System:
        reason = problem.reason;
        break;
    case Kind::NotUtf8:
        reason = tr("the file is not UTF-8 text; save it as UTF-8 and try again");
        break;
    case Kind::SheetTooLarge:
        reason = tr("it is too large for a sheet (%1 MB; sheets open up to %2 MB)")
                     .arg(problem.size / Megabyte)
                     .arg(problem.limit / Megabyte);
        break;
    case Kind::NotJson:
        reason = tr("it is not a sheet file (%1 at byte %2)").arg(problem.reason).arg(problem.offset);
        break;
    case Kind::NotObject:
        reason = tr("it is not a sheet file");
        break;
    case Kind::NotSheet:
        reason = sheetProblem(problem.sheet);
        break;
    case Kind::FolderNotMade:
        reason = tr("the folder could not be made");
        break;
    case Kind::LockTaken:
        reason = tr("the lock is taken");
        break;
    }
    QString sentence;
    switch (problem.action) {
    case FileAction::Open:
        sentence = tr("Could not open %1: %2.");
        break;
    case FileAction::Read:
        sentence = tr("Could not read %1: %2.");
        break;
    case FileAction::Save:
        sentence = tr("Could not save %1: %2.");
        break;
    case FileAction::Make:
        sentence = tr("Could not make %1: %2.");
        break;
    case FileAction::Lock:
        sentence = tr("Could not lock %1: %2.");
        break;
    }
    return sentence.arg(QDir::toNativeSeparators(problem.path), reason);
}

QString FileWords::sheetProblem(const SheetProblem& problem)
{
    using Kind = SheetProblem::Kind;
    switch (problem.kind) {
    case Kind::NotText:
        return tr("\"%1\" must be text").arg(problem.key);
    case Kind::NotFlag:
        return tr("\"%1\" must be true or false").arg(problem.key);
    case Kind::NotResources:
        return tr("\"%1\" must be a list of resources").arg(problem.key);
    case Kind::HeadingWithoutTitle:
        return tr("\"%1\" must be a list of resources, each \"heading\" with a title").arg(problem.key);
    case Kind::ResourceWithoutLink:
        return tr("\"%1\" must be a list of resources, each with a \"text\" and a \"url\"").arg(problem.key);
    case Kind::BadFitPages:
        return tr("\"%1\" must be a number of pages from 0 to %2").arg(problem.key).arg(MostFitPages);
    case Kind::NotSheet:
        return tr("it is not an Orvanta sheet (it has no \"format\": \"%1\")").arg(SheetFormat);
    case Kind::BadVersion:
        return tr("\"version\" must be a whole number from 1 on");
    case Kind::NewerVersion:
        return tr("it was saved by a newer version of Orvanta (sheet format %1; this version reads format %2). "
                  "Please update Orvanta to open it")
            .arg(problem.version)
            .arg(SheetFormatVersion);
    case Kind::BadAccent:
        return tr("\"accent\" must be a colour written #RRGGBB");
    case Kind::BadPageSize:
        return tr("\"pageSize\" must be \"A4\" or \"Letter\"");
    case Kind::BadLanguage:
        return tr("\"language\" must be a language tag such as \"en\", \"de\" or \"pt-BR\"");
    case Kind::LogoNotDataUri:
        return tr("\"logo\" must be a PNG, JPEG or SVG image as a data: URI (data:image/png;base64,…)");
    case Kind::LogoTooLarge:
        return tr("\"logo\" is over 1 MB");
    case Kind::LogoDeclarations:
        return tr("\"logo\" is an SVG with a DOCTYPE or ENTITY, which a logo may not hold");
    case Kind::LogoNotItsType:
        return tr("\"logo\" does not hold the image its data: URI names");
    }
    return {};
}

QString FileWords::logoProblem(LogoProblem problem)
{
    switch (problem) {
    case LogoProblem::SvgDeclarations:
        return tr("It is an SVG with a DOCTYPE or ENTITY, which a logo may not hold.");
    case LogoProblem::NotImage:
        return tr("It is not a PNG, JPEG or SVG image.");
    case LogoProblem::TooLarge:
        return tr("It is over 1 MB; a logo can be at most 1 MB.");
    }
    return {};
}

QString FileWords::coverProblem(const CoverProblem& problem)
{
    switch (problem.kind) {
    case CoverProblem::Kind::PdfUnreadable:
        return tr("The cover image could not be made: %1 is not a PDF that can be read.")
            .arg(QDir::toNativeSeparators(problem.path));
    case CoverProblem::Kind::NotSaved:
        break;
    }
    return tr("Could not save the cover image %1: %2.").arg(QDir::toNativeSeparators(problem.path), problem.reason);
}

} // namespace orvanta
