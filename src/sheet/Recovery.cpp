// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery.h"

#include "SheetFile.h"
#include "TextFile.h"

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
        // An unreadable file gives an empty object, which no sheet reads from.
        const QJsonObject json = LoadJsonObject(path).value_or(QJsonObject{});
        const QJsonObject sheetJson = json.value(QStringLiteral("sheet")).toObject();
        const Expected<Sheet, SheetProblem> sheet = SheetFromJson(sheetJson);
        Leftover leftover{path, sheet ? *sheet : Sheet{}, json.value(QStringLiteral("file")).toString(),
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

std::optional<FileProblem> Recovery::save(const Sheet& sheet, const QString& sheetPath)
{
    if (!m_lock) {
        if (!QDir().mkpath(m_folder))
            return FileProblem{.action = FileAction::Make, .kind = FileProblem::Kind::FolderNotMade, .path = m_folder};
        const QString path =
            m_folder + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".") + SheetSuffix;
        auto lock = std::make_unique<QLockFile>(lockPath(path));
        if (!lock->tryLock(0))
            return FileProblem{
                .action = FileAction::Lock, .kind = FileProblem::Kind::LockTaken, .path = lockPath(path)};
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
