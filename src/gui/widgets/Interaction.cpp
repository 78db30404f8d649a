// SPDX-License-Identifier: GPL-3.0-or-later
#include "Interaction.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace orvanta {

void DesktopInteraction::inform(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

void DesktopInteraction::warn(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text);
}

bool DesktopInteraction::confirm(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

Interaction::SaveChoice DesktopInteraction::askToSave(QWidget* parent, const QString& text)
{
    switch (QMessageBox::question(parent, QCoreApplication::translate("Interaction", "Unsaved Changes"), text,
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

QString DesktopInteraction::fileToOpen(QWidget* parent, const QString& title, const QString& folder,
                                       const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString DesktopInteraction::fileToSave(QWidget* parent, const QString& title, const QString& suggestedPath,
                                       const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
}

bool DesktopInteraction::openFolder(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QColor DesktopInteraction::colour(QWidget* parent, const QString& title, const QColor& current)
{
    return QColorDialog::getColor(current, parent, title);
}

QString DesktopInteraction::askText(QWidget* parent, const QString& title, const QString& label, const QString& text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok ? answer : QString();
}

QString FileToSaveAs(Interaction& interaction, QWidget* parent, const QString& title, const QString& suggestedPath,
                     const QString& filter, const QString& suffix)
{
    QString path = interaction.fileToSave(parent, title, suggestedPath, filter);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    path += u'.' + suffix;
    if (QFileInfo::exists(path) &&
        !interaction.confirm(parent, title,
                             QCoreApplication::translate("Interaction", "%1 already exists. Replace it?")
                                 .arg(QDir::toNativeSeparators(path))))
        return {};
    return path;
}

} // namespace orvanta
