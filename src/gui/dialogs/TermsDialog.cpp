// SPDX-License-Identifier: GPL-3.0-or-later
#include "TermsDialog.h"

#include "gui/widgets/EditorText.h"
#include "gui/widgets/Interaction.h"
#include "page/Installation.h"
#include "sheet/TextFile.h"
#include "ui_TermsDialog.h"
#include "words/BuildWords.h"
#include "words/FileWords.h"
#include "words/Titles.h"

namespace orvanta {

TermsDialog::TermsDialog(const Installation& installation, Interaction& interaction, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TermsDialog>())
    , m_interaction(interaction)
    , m_userFolder(installation.userFolder())
    , m_termsPath(installation.readPath(layout::Terms))
    , m_savePath(installation.writePath(layout::Terms))
    , m_defaultTermsPath(installation.readPath(layout::DefaultTerms))
{
    ui->setupUi(this);
    ui->lblDefaultTOS->setAccessibleDescription(tr("Link: loads the default disclaimer text"));
    connect(ui->cmdSave, &QPushButton::clicked, this, &TermsDialog::saveTerms);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->lblDefaultTOS, &LinkLabel::clicked, this, &TermsDialog::loadDefaultTerms);
    loadTerms();
}

TermsDialog::~TermsDialog() = default;

void TermsDialog::loadTerms()
{
    const Expected<QString, FileProblem> loaded = LoadTextFile(m_termsPath);
    if (!loaded && loaded.error().kind != FileProblem::Kind::Missing) {
        m_interaction.warn(parentWidget(), tr("Terms and Conditions"), FileWords::problem(loaded.error()));
        return;
    }
    const QString text = loaded.value_or(QString());
    // A missing file opens an empty editor; Save creates it. The editor works with LF line breaks, so a
    // file written with CR LF gets them back on saving.
    m_windowsLineBreaks = text.contains(QStringLiteral("\r\n"));
    ui->txtTOS->setPlainText(text);
    m_loaded = true;
}

void TermsDialog::saveTerms()
{
    if (!InstallFolderWritable(m_userFolder)) {
        m_interaction.warn(this, Titles::folderNotWritable(), BuildWords::folderNotWritable(m_userFolder));
        return;
    }
    QString text = editorText(*ui->txtTOS);
    if (m_windowsLineBreaks)
        text.replace(u'\n', QStringLiteral("\r\n"));
    if (const std::optional<FileProblem> problem = SaveTextFile(m_savePath, text)) {
        m_interaction.warn(this, tr("Not Saved"), FileWords::problem(*problem));
        return;
    }
    m_interaction.inform(this, Titles::done(), tr("Done! Settings saved. You can close this window if you want."));
}

void TermsDialog::loadDefaultTerms()
{
    if (!m_interaction.confirm(this, tr("Please Confirm"), tr("Are you sure? This will overwrite the current TOS.")))
        return;
    const Expected<QString, FileProblem> text = LoadTextFile(m_defaultTermsPath);
    if (!text) {
        m_interaction.warn(this, tr("Default TOS"), FileWords::problem(text.error()));
        return;
    }
    ui->txtTOS->setPlainText(*text);
    m_interaction.inform(this, Titles::done(), tr("Done! Please remember to save your changes."));
}

} // namespace orvanta
