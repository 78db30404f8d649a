#include "GuiTestSupport.h"

#include "gui/MainWindow.h"

#include <QPushButton>
#include <QSignalSpy>
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

QString ScriptedInteraction::last() const
{
    return shown.isEmpty() ? QString()
                           : shown.constLast().kind + u'|' + shown.constLast().title + u'|' + shown.constLast().text;
}

bool pressCreateAndWait(orvanta::MainWindow& window, int timeoutMs)
{
    QSignalSpy ended(&window, &orvanta::MainWindow::buildEnded);
    QTest::mouseClick(child<QPushButton>(&window, "cmdCreate"), Qt::LeftButton);
    if (!window.isBuilding())
        return false;
    if (ended.isEmpty() && !ended.wait(timeoutMs))
        return false;
    return ended.first().at(0).toBool();
}
