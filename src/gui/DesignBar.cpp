// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignBar.h"

#include "gui/widgets/Interaction.h"
#include "model/SheetModel.h"
#include "page/Looks.h"
#include "sheet/Design.h"
#include "sheet/Language.h"
#include "words/FileWords.h"

#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>

namespace orvanta {

namespace {

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    QPainter(&pixmap).drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

} // namespace

DesignBar::DesignBar(SheetModel& model, const Installation& installation, Interaction& interaction,
                     const Controls& controls, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_installation(installation)
    , m_interaction(interaction)
    , m_controls(controls)
{
    connect(&m_controls.logoText, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.setText(&Sheet::logoText, text); });
    connect(&m_controls.language, &QComboBox::activated, this, [this](int index) {
        m_model.setDesign(&Sheet::language, m_controls.language.itemData(index).toString(), tr("Language"));
    });
    m_controls.paper.setItemData(0, design::A4);
    m_controls.paper.setItemData(1, design::Letter);
    m_controls.accentWarning.setText(tr("Button text is hard to read on this colour"));
    connect(&m_controls.fitPages, &QComboBox::activated, this,
            [this](int index) { m_model.setFitPages(index, tr("Fit on Pages")); });
    // A look copied into the installation while the app runs is offered the next time the list opens.
    m_controls.look.installEventFilter(this);
    m_controls.language.installEventFilter(this);
    connect(&m_controls.look, &QComboBox::activated, this, [this](int index) {
        m_model.setDesign(&Sheet::look, m_controls.look.itemData(index).toString(), tr("Look"));
    });
    connect(&m_controls.paper, &QComboBox::activated, this, [this](int index) {
        m_model.setDesign(&Sheet::pageSize, m_controls.paper.itemData(index).toString(), tr("Paper"));
    });
    connect(&m_controls.accent, &QPushButton::clicked, this, &DesignBar::chooseAccent);
    connect(&m_controls.logo, &QPushButton::clicked, this, &DesignBar::chooseLogo);
    connect(&m_controls.removeLogo, &QPushButton::clicked, this,
            [this] { m_model.setDesign(&Sheet::logo, {}, tr("Remove Logo")); });
    connect(&m_model, &SheetModel::changed, this, [this](SheetModel::Change change) {
        if (change == SheetModel::Change::Design || change == SheetModel::Change::Whole)
            showSheet();
        else if (change == SheetModel::Change::Text)
            m_controls.logoText.setPlaceholderText(tr("Default: %1").arg(PlainTitle(m_model.sheet().footer)));
    });
    showSheet();
}

bool DesignBar::eventFilter(QObject* watched, QEvent* event)
{
    const bool opening = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress;
    if (watched == &m_controls.look && opening)
        fillLooks();
    else if (watched == &m_controls.language && opening)
        fillLanguages();
    return QObject::eventFilter(watched, event);
}

void DesignBar::fillLooks()
{
    const QString current = m_model.sheet().look;
    QStringList looks = LookNames(m_installation);
    const bool installed = looks.contains(current);
    QSignalBlocker quiet(&m_controls.look);
    m_controls.look.clear();
    for (const QString& look : looks)
        m_controls.look.addItem(LookTitle(look), look);
    if (!installed)
        m_controls.look.addItem(tr("%1 (not installed)").arg(LookTitle(current)), current);
    m_controls.look.setCurrentIndex(m_controls.look.findData(current));
}

void DesignBar::showLanguage()
{
    const QString current = m_model.sheet().language;
    if (const int index = m_controls.language.findData(current); index >= 0) {
        m_controls.language.setCurrentIndex(index);
        return;
    }
    // Until the list is opened it holds only the sheet's language: a window starts without naming them all.
    QSignalBlocker quiet(&m_controls.language);
    m_controls.language.clear();
    m_controls.language.addItem(LanguageName(current), current);
}

void DesignBar::fillLanguages()
{
    if (m_controls.language.count() > 1)
        return;
    const QString current = m_model.sheet().language;
    QSignalBlocker quiet(&m_controls.language);
    m_controls.language.clear();
    for (const LanguageChoice& choice : LanguageChoices(current))
        m_controls.language.addItem(choice.name, choice.tag);
    m_controls.language.setCurrentIndex(m_controls.language.findData(current));
}

void DesignBar::showSheet()
{
    const Sheet& sheet = m_model.sheet();
    fillLooks();
    showLanguage();
    m_controls.logoText.setEnabled(!sheet.logo.isEmpty());
    if (m_controls.logoText.text() != sheet.logoText)
        m_controls.logoText.setText(sheet.logoText);
    m_controls.logoText.setPlaceholderText(tr("Default: %1").arg(PlainTitle(sheet.footer)));
    m_controls.paper.setCurrentIndex(SheetPaper(sheet) == PaperSize::Letter ? 1 : 0);
    m_controls.fitPages.setCurrentIndex(sheet.fitPages);
    m_controls.accent.setIcon(swatch(QColor(sheet.accent)));
    const double contrast = ContrastRatio(TextColourOn(sheet.accent), sheet.accent);
    m_controls.accentWarning.setVisible(contrast > 0 && contrast < design::ReadableContrast);
    m_controls.removeLogo.setEnabled(!sheet.logo.isEmpty());
}

void DesignBar::chooseAccent()
{
    const QColor colour =
        m_interaction.colour(m_controls.accent.window(), tr("Accent Colour"), QColor(m_model.sheet().accent));
    if (colour.isValid())
        m_model.setDesign(&Sheet::accent, colour.name(), tr("Accent Colour"));
}

void DesignBar::chooseLogo()
{
    const QString path = m_interaction.fileToOpen(m_controls.logo.window(), tr("Choose a Logo"), {},
                                                  tr("Images (*.png *.jpg *.jpeg *.svg)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuseLogo(path, file.errorString());
    // One byte over the limit is enough to refuse it.
    const Expected<QString, LogoProblem> logo = LogoDataUri(file.read(design::MaxLogoBytes + 1));
    if (!logo)
        return refuseLogo(path, FileWords::logoProblem(logo.error()));
    m_model.setDesign(&Sheet::logo, *logo, tr("Logo"));
}

void DesignBar::refuseLogo(const QString& path, const QString& reason)
{
    m_interaction.warn(m_controls.logo.window(), tr("Logo"),
                       tr("%1 cannot be the logo.\n\n%2").arg(QFileInfo(path).fileName(), reason));
}

} // namespace orvanta
