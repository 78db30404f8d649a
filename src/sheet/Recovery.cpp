// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery.h"

#include "SheetFile.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QUuid>
#include <algorithm>

namespace orvanta {

namespace {

const QString Format = QStringLiteral("orvanta-recovery");

QString lockPath(const QString& recoveryPath)
{
    return recoveryPath + QStringLiteral(".lock");
}

} // namespace

QString Recovery::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/orvanta/recovery");
}

Recovery::Recovery(const QString& folder)
    : m_folder(folder)
{
}

Recovery::~Recovery() = default;

std::vector<Recovery::Leftover> Recovery::claimLeftovers()
{
    std::vector<Leftover> leftovers;
    const QStringList names = QDir(m_folder).entryList({QStringLiteral("*.") + SheetSuffix}, QDir::Files);
    for (const QString& name : names) {
        const QString path = m_folder + u'/' + name;
        if (path == m_path)
            continue;
        auto lock = std::make_shared<QLockFile>(lockPath(path));
        lock->setStaleLockTime(0); // only a lock whose process is gone is stale, however old
        if (!lock->tryLock(0))
            continue; // its window is still open
        QJsonObject json;
        LoadJsonObject(path, json); // an unreadable file leaves it empty, which no sheet reads from
        const QJsonObject sheetJson = json.value(QStringLiteral("sheet")).toObject();
        QString problem;
        const std::optional<Sheet> sheet = SheetFromJson(sheetJson, problem);
        Leftover leftover{path, sheet.value_or(Sheet{}), json.value(QStringLiteral("file")).toString(),
                          QDateTime::fromString(json.value(QStringLiteral("changed")).toString(), Qt::ISODateWithMs),
                          lock};
        if (!sheet) {
            // A newer version's copy is that version's to offer; anything else unreadable is of no use.
            if (sheetJson.value(QStringLiteral("version")).toInt() <= SheetFormatVersion)
                remove(leftover);
            continue;
        }
        leftovers.push_back(std::move(leftover));
    }
    std::sort(leftovers.begin(), leftovers.end(),
              [](const Leftover& a, const Leftover& b) { return a.changed > b.changed; });
    return leftovers;
}

void Recovery::remove(Leftover& leftover)
{
    QFile::remove(leftover.recoveryPath);
    leftover.lock->unlock(); // removes the lock file
}

FileResult Recovery::save(const Sheet& sheet, const QString& sheetPath)
{
    if (!m_lock) {
        if (!QDir().mkpath(m_folder))
            return FileFailure(FileAction::Make, m_folder,
                               QCoreApplication::translate("Recovery", "the folder could not be made"));
        const QString path =
            m_folder + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".") + SheetSuffix;
        auto lock = std::make_unique<QLockFile>(lockPath(path));
        if (!lock->tryLock(0))
            return FileFailure(FileAction::Lock, lockPath(path),
                               QCoreApplication::translate("Recovery", "the lock is taken"));
        m_lock = std::move(lock);
        m_path = path;
    }
    return SaveJsonObject(m_path,
                          {{QStringLiteral("format"), Format},
                           {QStringLiteral("file"), sheetPath},
                           {QStringLiteral("changed"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                           {QStringLiteral("sheet"), SheetToJson(sheet)}});
}

void Recovery::discard()
{
    if (!m_lock)
        return;
    QFile::remove(m_path);
    m_lock.reset(); // unlocks and removes the lock file
    m_path.clear();
}

} // namespace orvanta
