// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engines/PdfEngine.h"

#include <QDialog>
#include <memory>

namespace Ui {
class PreferencesDialog;
}

namespace orvanta {

class Interaction;

// The app's preferences: which PDF engine makes the preview and the PDFs, and the browser program for Chromium. It
// returns the choices; the caller keeps them.
class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    PreferencesDialog(EngineChoice engine, const QString& chromiumProgram, Interaction& interaction,
                      QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    EngineChoice engine() const;
    // The browser program as typed or chosen; empty: the one found on PATH.
    QString chromiumProgram() const;

    // Refuses a browser program that is not an executable file, with a message; the dialog stays open.
    void accept() override;

private:
    void browseForBrowser();

    std::unique_ptr<Ui::PreferencesDialog> ui;
    Interaction& m_interaction;
};

} // namespace orvanta
