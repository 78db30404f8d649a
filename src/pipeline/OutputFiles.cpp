// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputFiles.h"

#include "page/InstallFolder.h"
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

OutputPaths FormOutputPaths(const QString& installFolder, const QString& name, const QString& pdfPath)
{
    const QString templatePath = InstallPath(installFolder, layout::PageTemplate);
    const QString binFolder = InstallPath(installFolder, layout::BinFolder);
    QString pagePath = binFolder + u'/' + name + QStringLiteral(".html");
    if (name == u"template" || isTemplateFile(pagePath, templatePath))
        pagePath = binFolder + QStringLiteral("/e") + name + QStringLiteral(".html");
    return {pagePath, !pdfPath.isEmpty()
                          ? pdfPath
                          : InstallPath(installFolder, layout::OutputFolder) + u'/' + name + QStringLiteral(".pdf")};
}

FileResult LoadTemplates(const QString& installFolder, const QString& lookFolder, bool disclaimerNeeded,
                         PageTemplates& templates)
{
    PageTemplates loaded;
    FileResult result =
        LoadTextFile(InstallPath(installFolder, lookFolder + QStringLiteral("/repeater.txt")), loaded.snippet);
    if (!result.ok())
        return result;
    result = LoadTextFile(InstallPath(installFolder, lookFolder + QStringLiteral("/heading.txt")), loaded.heading);
    if (!result.ok() && !result.missing())
        return result; // a missing one leaves the default
    if (disclaimerNeeded) {
        result = LoadTextFile(InstallPath(installFolder, layout::Terms), loaded.disclaimer);
        if (!result.ok())
            return result;
    }
    result = LoadTextFile(InstallPath(installFolder, lookFolder + QStringLiteral("/template.html")), loaded.page);
    if (!result.ok())
        return result;
    templates = std::move(loaded);
    return {};
}

} // namespace orvanta
