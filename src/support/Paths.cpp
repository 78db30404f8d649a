#include "Paths.h"

#include "TextHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace orvanta {

namespace {

bool hasWildcard(const QString& name)
{
    return name.contains(u'*') || name.contains(u'?');
}

// Only '*' and '?' are special; everything else, brackets included, matches itself.
QRegularExpression wildcardPattern(const QString& name)
{
    QString pattern;
    for (const QChar c : name) {
        if (c == u'*')
            pattern += QStringLiteral(".*");
        else if (c == u'?')
            pattern += u'.';
        else
            pattern += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

bool isWantedKind(const QFileInfo& info, bool folderWanted)
{
    return info.isFile() || (folderWanted && info.isDir());
}

} // namespace

bool PathExists(const QString& path, bool folderWanted)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!hasWildcard(name))
        return info.exists() && isWantedKind(info, folderWanted);

    QDir parent = info.dir();
    QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    if (folderWanted)
        filters |= QDir::Dirs;
    const QRegularExpression pattern = wildcardPattern(name);
    const QFileInfoList entries = parent.entryInfoList(filters);
    for (const QFileInfo& entry : entries) {
        if (pattern.match(entry.fileName()).hasMatch() && isWantedKind(entry, folderWanted))
            return true;
    }
    return false;
}

QString InstallPath(const QString& installFolder, const QString& relative)
{
    return ReplaceText(installFolder + relative, QStringLiteral("//"), QStringLiteral("/"), Comparison::Exact);
}

} // namespace orvanta
