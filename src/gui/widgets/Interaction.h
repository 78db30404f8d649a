// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace orvanta {

// Every message box, question for a text, file dialog and hand-over to the desktop goes through here, so tests can
// answer and record them without real modal loops.
class Interaction {
public:
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~Interaction() = default;

    // Information icon, OK button: refusals and completions.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    // Warning icon, OK button: something went wrong that the user should know about.
    virtual void warn(QWidget* parent, const QString& title, const QString& text) = 0;
    // Question icon, Yes and No with Yes the default; true on Yes.
    virtual bool confirm(QWidget* parent, const QString& title, const QString& text) = 0;
    // Save, Discard or Cancel, with Save the default and Escape for Cancel.
    virtual SaveChoice askToSave(QWidget* parent, const QString& text) = 0;
    // A file dialog; an empty path when the user cancelled. `filter` as QFileDialog takes it.
    virtual QString fileToOpen(QWidget* parent, const QString& title, const QString& folder, const QString& filter) = 0;
    virtual QString fileToSave(QWidget* parent, const QString& title, const QString& suggestedPath,
                               const QString& filter) = 0;
    // Shows a folder in the desktop's file manager; false when that could not be started.
    virtual bool openFolder(const QString& path) = 0;
    // A colour dialog starting at `current`; an invalid colour when the user cancelled.
    virtual QColor colour(QWidget* parent, const QString& title, const QColor& current) = 0;
    // A line of text, starting from `text`; an empty text when the user cancelled.
    virtual QString askText(QWidget* parent, const QString& title, const QString& label, const QString& text) = 0;
};

// A file to save as `suffix` ("png"): the name chosen, with ".suffix" added when it has none, and then confirmed
// if a file of that name exists, since the dialog asked about the name without it. Empty when cancelled.
QString FileToSaveAs(Interaction& interaction, QWidget* parent, const QString& title, const QString& suggestedPath,
                     const QString& filter, const QString& suffix);

// The real thing: message boxes, file dialogs and the desktop's file manager.
class DesktopInteraction : public Interaction {
public:
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    void warn(QWidget* parent, const QString& title, const QString& text) override;
    bool confirm(QWidget* parent, const QString& title, const QString& text) override;
    SaveChoice askToSave(QWidget* parent, const QString& text) override;
    QString fileToOpen(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override;
    QString fileToSave(QWidget* parent, const QString& title, const QString& suggestedPath,
                       const QString& filter) override;
    bool openFolder(const QString& path) override;
    QColor colour(QWidget* parent, const QString& title, const QColor& current) override;
    QString askText(QWidget* parent, const QString& title, const QString& label, const QString& text) override;
};

} // namespace orvanta
