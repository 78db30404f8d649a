#include "ScriptedInteraction.h"

#include <QTest>

void ScriptedInteraction::inform(QWidget*, const QString& title, const QString& text)
{
    shown.append({QStringLiteral("inform"), title, text});
}

void ScriptedInteraction::warn(QWidget*, const QString& title, const QString& text)
{
    shown.append({QStringLiteral("warn"), title, text});
}

bool ScriptedInteraction::confirm(QWidget*, const QString& title, const QString& text)
{
    shown.append({QStringLiteral("confirm"), title, text});
    if (m_answers.isEmpty()) {
        QTest::qFail("a confirmation was asked that the test did not expect", __FILE__, __LINE__);
        return false;
    }
    return m_answers.takeFirst();
}

bool ScriptedInteraction::openFolder(const QString& path)
{
    openedFolders.append(path);
    return m_folderOpens;
}

const ScriptedInteraction::Shown& ScriptedInteraction::last() const
{
    static const Shown none;
    return shown.isEmpty() ? none : shown.constLast();
}
