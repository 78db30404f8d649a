// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputFiles.h"

#include "page/Installation.h"
#include "page/PageFiller.h"
#include "sheet/TextFile.h"

#include <QFileInfo>
#include <filesystem>

namespace orvanta {

namespace {

// The longest file name that Linux file systems take, in bytes, less the ".XXXXXX" that a save adds for its
// temporary file when the page is written again.
constexpr qsizetype MaxFileNameBytes = 255 - 7;

bool isTemplateFile(const QString& pagePath, const QString& templatePath)
{
    std::error_code error;
    return std::filesystem::equivalent(QFileInfo(pagePath).filesystemFilePath(),
                                       QFileInfo(templatePath).filesystemFilePath(), error);
}

} // namespace

FileNameFault FileNameProblem(const QString& name)
{
    if (name.contains(u'/') || name.contains(QChar(u'\0')))
        return FileNameFault::Separator;
    if (name == u"." || name == u"..")
        return FileNameFault::Reserved;
    if ((HyphenatedName(name) + QStringLiteral(".html")).toUtf8().size() > MaxFileNameBytes)
        return FileNameFault::TooLong;
    return FileNameFault::None;
}

QString HyphenatedName(const QString& name)
{
    return QString(name).replace(u' ', u'-');
}

OutputPaths FormOutputPaths(const Installation& installation, const QString& name, const QString& pdfPath)
{
    const QString templatePath = installation.writePath(layout::PageTemplate);
    const QString binFolder = installation.writePath(layout::BinFolder);
    QString pagePath = binFolder + u'/' + name + QStringLiteral(".html");
    if (name == u"template" || isTemplateFile(pagePath, templatePath))
        pagePath = binFolder + QStringLiteral("/e") + name + QStringLiteral(".html");
    return {pagePath, !pdfPath.isEmpty()
                          ? pdfPath
                          : installation.writePath(layout::OutputFolder) + u'/' + name + QStringLiteral(".pdf")};
}

Expected<PageTemplates, FileProblem> LoadTemplates(const Installation& installation, const QString& lookFolder,
                                                   bool disclaimerNeeded)
{
    PageTemplates loaded;
    // Each file into its part of `loaded`; a heading snippet that is missing leaves the default.
    const auto load = [&installation](const QString& file, QString& part, bool optional = false) {
        Expected<QString, FileProblem> text = LoadTextFile(installation.readPath(file));
        if (text)
            part = std::move(*text);
        else if (!optional || text.error().kind != FileProblem::Kind::Missing)
            return std::optional<FileProblem>(text.error());
        return std::optional<FileProblem>();
    };
    std::optional<FileProblem> problem = load(lookFolder + QStringLiteral("/repeater.txt"), loaded.snippet);
    if (!problem)
        problem = load(lookFolder + QStringLiteral("/heading.txt"), loaded.heading, true);
    if (!problem && disclaimerNeeded)
        problem = load(layout::Terms, loaded.disclaimer);
    if (!problem)
        problem = load(lookFolder + QStringLiteral("/pagebreak.txt"), loaded.pageBreak, true);
    QString geometry;
    if (!problem)
        problem = load(lookFolder + QStringLiteral("/layout.json"), geometry, true);
    if (!geometry.isEmpty())
        loaded.geometry = ParseLookGeometry(geometry.toUtf8());
    if (!problem)
        problem = load(lookFolder + QStringLiteral("/template.html"), loaded.page);
    if (problem)
        return Unexpected(std::move(*problem));
    return loaded;
}

} // namespace orvanta
