// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"
#include "gui/MainWindow.h"
#include "gui/widgets/Interaction.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <memory>
#include <utility>

// Answers message boxes from a script and records everything shown, so tests never block on a modal loop.
class ScriptedInteraction : public orvanta::Interaction {
public:
    struct Shown {
        QString kind; // "inform", "warn", "confirm", "save?", "text" (text: the label) or "file" (a file dialog;
                      // text: the suggested path)
        QString title;
        QString text;
    };

    void inform(QWidget*, const QString& title, const QString& text) override
    {
        shown.append({u"inform"_s, title, text});
    }
    void warn(QWidget*, const QString& title, const QString& text) override { shown.append({u"warn"_s, title, text}); }
    bool confirm(QWidget*, const QString& title, const QString& text) override
    {
        return nextAnswer(u"confirm"_s, title, text).toBool();
    }
    SaveChoice askToSave(QWidget*, const QString& text) override
    {
        return nextAnswer(u"save?"_s, {}, text).value<SaveChoice>();
    }
    QString fileToOpen(QWidget*, const QString& title, const QString& folder, const QString&) override
    {
        return nextFile(title, folder);
    }
    QString fileToSave(QWidget*, const QString& title, const QString& path, const QString&) override
    {
        return nextFile(title, path);
    }
    bool openFolder(const QString& path) override
    {
        openedFolders.append(path);
        return m_folderOpens;
    }
    // The colour set by chooseColour(), once; cancelled without one.
    QColor colour(QWidget*, const QString&, const QColor&) override { return std::exchange(m_colour, QColor()); }
    QString askText(QWidget*, const QString& title, const QString& label, const QString&) override
    {
        return nextAnswer(u"text"_s, title, label).toString();
    }

    // Answers for the coming questions and file dialogs, each kind in order. A question without an answer
    // fails the test; a file dialog without one is cancelled.
    void answer(bool yes) { m_answers.append(yes); }
    void answer(SaveChoice choice) { m_answers.append(QVariant::fromValue(choice)); }
    void answerText(const QString& text) { m_answers.append(text); }
    void chooseFile(const QString& path) { m_files.append(path); }
    void setFolderOpens(bool opens) { m_folderOpens = opens; }
    void chooseColour(const QColor& colour) { m_colour = colour; }

    QList<Shown> shown;
    QStringList openedFolders;

    // The last message shown, as "kind|title|text".
    QString last() const;
    bool answersLeft() const { return !m_answers.isEmpty() || !m_files.isEmpty(); }

private:
    QVariant nextAnswer(const QString& kind, const QString& title, const QString& text);
    QString nextFile(const QString& title, const QString& suggested);

    QVariantList m_answers;
    QStringList m_files;
    bool m_folderOpens = true;
    QColor m_colour;
};

// The named child widget; the test stops if there is none.
template <typename T> T* child(const QObject* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

// The editable fields under `root` that a screen reader would announce with no name, or with only the title of the
// panel around them; as "objectName: name".
QStringList badlyNamedFields(const QWidget* root);

// Presses Create and waits for the build to end; true when it made its PDF. False at once when Create was
// refused before any conversion started.
bool pressCreateAndWait(orvanta::MainWindow& window, int timeoutMs = 120000);

// Each test function gets a main window, shown, on a fresh installation whose converter is `converter()`, with
// the user's folders set aside. Every scripted answer must be used.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    virtual QString converter() const { return pdfWritingScript(); }
    void makeWindow() { makeWindow(m_installation->folder()); }
    void makeWindow(const orvanta::Installation& installation);
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(m_window.get(), name); }
    void click(const char* name) const { QTest::mouseClick(child<QWidget>(m_window.get(), name), Qt::LeftButton); }
    QString path(const QString& relative) const { return m_installation->path(relative); }
    void addResources(int count);
    QString texts() const; // the link texts of the list, with a space between
    // Runs `body` on the modal dialog that `open` brings up, then gives the focus back to the window.
    template <typename Open, typename Body> void inDialog(Open open, Body body)
    {
        QTimer::singleShot(0, this, [body] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY2(dialog, "no dialog opened");
            body(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        open();
        m_window->activateWindow(); // as the desktop does once the dialog is gone
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    std::unique_ptr<TestInstallation> m_installation;
    ScriptedInteraction m_interaction;
    std::unique_ptr<orvanta::MainWindow> m_window;

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
};
