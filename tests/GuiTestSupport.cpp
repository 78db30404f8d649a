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

int ScriptedInteraction::nextAnswer(const QString& kind, const QString& title, const QString& text)
{
    shown.append({kind, title, text});
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return -1;
    }
    return m_answers.takeFirst();
}

bool ScriptedInteraction::confirm(QWidget*, const QString& title, const QString& text)
{
    return nextAnswer(QStringLiteral("confirm"), title, text) == 1;
}

orvanta::Interaction::SaveChoice ScriptedInteraction::askToSave(QWidget*, const QString& text)
{
    const int answer = nextAnswer(QStringLiteral("save?"), {}, text);
    return answer >= 10 ? SaveChoice(answer - 10) : SaveChoice::Cancel;
}

QString ScriptedInteraction::fileToOpen(QWidget*, const QString& title, const QString& folder, const QString&)
{
    shown.append({QStringLiteral("file"), title, folder});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedInteraction::fileToSave(QWidget*, const QString& title, const QString& suggestedPath, const QString&)
{
    shown.append({QStringLiteral("file"), title, suggestedPath});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
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
