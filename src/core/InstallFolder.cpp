#include "InstallFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace orvanta {

namespace {

// Trying is the only sure test: permissions say nothing for root or on a read-only file system.
bool takesNewFiles(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return true; // nothing to write into; reading the templates reports that
    QTemporaryFile probe(folder + QStringLiteral("/.write-test-XXXXXX"));
    return probe.open();
}

} // namespace

QString InstallPath(const QString& installFolder, const QString& relative)
{
    return QString(installFolder + relative).replace(QStringLiteral("//"), QStringLiteral("/"));
}

QString InstallFolderProblem(const QString& installFolder)
{
    if (takesNewFiles(InstallPath(installFolder, layout::BinFolder)) &&
        takesNewFiles(InstallPath(installFolder, layout::OutputFolder)) &&
        takesNewFiles(InstallPath(installFolder, layout::ResourcesFolder)))
        return {};
    return QStringLiteral("Orvanta cannot write into its folder:\n%1\n\n"
                          "PDFs cannot be created and the disclaimer cannot be saved there. Install the app into a "
                          "folder of your own (\"make install\" puts it in ~/.local/opt/orvanta), or make this "
                          "folder writable for you.")
        .arg(QDir::toNativeSeparators(installFolder));
}

} // namespace orvanta
