#pragma once

#include "app/Interaction.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers message boxes from a script and records everything shown, so tests never block on a modal loop.
class ScriptedInteraction : public orvanta::Interaction {
public:
    struct Shown {
        QString kind; // "inform", "warn" or "confirm"
        QString title;
        QString text;
    };

    void inform(QWidget*, const QString& title, const QString& text) override;
    void warn(QWidget*, const QString& title, const QString& text) override;
    bool confirm(QWidget*, const QString& title, const QString& text) override;
    bool openFolder(const QString& path) override;

    // Answers for the coming confirmations, in order. A confirmation without an answer fails the test.
    void answer(bool yes) { m_answers.append(yes); }
    void setFolderOpens(bool opens) { m_folderOpens = opens; }

    QList<Shown> shown;
    QStringList openedFolders;

    const Shown& last() const;
    bool answersLeft() const { return !m_answers.isEmpty(); }
    void reset()
    {
        shown.clear();
        openedFolders.clear();
        m_answers.clear();
    }

private:
    QList<bool> m_answers;
    bool m_folderOpens = true;
};
