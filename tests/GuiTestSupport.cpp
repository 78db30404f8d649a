// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListView>
#include <QPlainTextEdit>

#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

QVariant ScriptedInteraction::nextAnswer(const QString& kind, const QString& title, const QString& text)
{
    shown.append({kind, title, text});
    if (m_answers.isEmpty())
        QTest::qFail(qPrintable(u"unexpected question: "_s + text), __FILE__, __LINE__);
    return m_answers.isEmpty() ? QVariant() : m_answers.takeFirst();
}

QString ScriptedInteraction::nextFile(const QString& title, const QString& suggested)
{
    shown.append({u"file"_s, title, suggested});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
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
    return window.isBuilding() && ended.wait(timeoutMs) && ended.first().at(0).toBool();
}

void WindowTest::initTestCase()
{
    isolateUserFolders();
}

void WindowTest::init()
{
    QSettings().clear(); // each test starts with the settings of a first run
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_installation->installConverter(converter());
    m_interaction = ScriptedInteraction();
    makeWindow();
}

void WindowTest::cleanup()
{
    m_window.reset();
    QVERIFY2(!m_interaction.answersLeft(), "a scripted answer was not used");
}

void WindowTest::makeWindow(const orvanta::Installation& installation)
{
    m_window = std::make_unique<orvanta::MainWindow>(installation, m_interaction);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void WindowTest::addResources(int count)
{
    orvanta::ResourceEntries entries;
    for (int i = 0; i < count; ++i)
        entries.append({u"r%1"_s.arg(i), u"https://r.test/%1"_s.arg(i)});
    m_window->resources().append(entries);
}

QString WindowTest::texts() const
{
    QStringList texts;
    for (const orvanta::ResourceEntry& entry : m_window->resources().entries())
        texts << entry.linkText;
    return texts.join(u' ');
}

QStringList badlyNamedFields(const QWidget* root)
{
    QStringList panels;
    for (const QGroupBox* box : root->findChildren<QGroupBox*>())
        panels.append(box->title().trimmed());
    QStringList bad;
    for (QWidget* field : root->findChildren<QWidget*>()) {
        const bool editable = qobject_cast<QLineEdit*>(field) || qobject_cast<QPlainTextEdit*>(field) ||
                              qobject_cast<QComboBox*>(field) || qobject_cast<QCheckBox*>(field) ||
                              qobject_cast<QListView*>(field);
        if (!editable || field->objectName().isEmpty()) // Qt's own parts, such as a combo box's list
            continue;
        const QString name = QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).trimmed();
        if (name.isEmpty() || panels.contains(name))
            bad.append(field->objectName() + u": "_s + name);
    }
    return bad;
}
