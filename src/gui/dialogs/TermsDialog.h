// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TermsDialog;
}

namespace orvanta {

class Installation;
class Interaction;

// Edits the disclaimer text that pages can carry. It opens on the file's current text; only Save writes.
class TermsDialog : public QDialog {
    Q_OBJECT

public:
    TermsDialog(const Installation& installation, Interaction& interaction, QWidget* parent = nullptr);
    ~TermsDialog() override;

    // False when the terms file exists but could not be read; that was reported and the dialog should not
    // be shown, so nothing can overwrite the file.
    bool loaded() const { return m_loaded; }

private:
    void loadTerms();
    void saveTerms();
    void loadDefaultTerms();

    std::unique_ptr<Ui::TermsDialog> ui;
    Interaction& m_interaction;
    const QString m_userFolder;
    const QString m_termsPath; // the user's edited text, or the installation's
    const QString m_savePath;  // always the user's
    const QString m_defaultTermsPath;
    bool m_loaded = false;
    bool m_windowsLineBreaks = false;
};

} // namespace orvanta
