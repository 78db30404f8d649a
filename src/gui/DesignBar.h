// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page/Installation.h"

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvanta {

class Interaction;
class SheetModel;

// The controls beside the preview that set how the sheet looks: its look, accent colour, logo and the logo's
// description (enabled with a logo), paper, language and the pages it is fitted on. Each choice is one undoable step
// of the model, and the controls follow the model when a sheet is opened or a step undone.
class DesignBar : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QComboBox& look;
        QPushButton& accent;
        QLabel& accentWarning; // shown while text on the accent is hard to read
        QPushButton& logo;
        QPushButton& removeLogo;
        QComboBox& paper;
        QLineEdit& logoText;
        QComboBox& language;
        QComboBox& fitPages;
    };

    DesignBar(SheetModel& model, const Installation& installation, Interaction& interaction, const Controls& controls,
              QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseAccent();
    void chooseLogo();
    void refuseLogo(const QString& path, const QString& reason);
    // The installed looks, and the sheet's own if it is not installed; the sheet's selected.
    void fillLooks();
    // The sheet's language alone, or selected in the whole list once that is filled.
    void showLanguage();
    // Every language, when the list is first opened.
    void fillLanguages();
    void showSheet();

    SheetModel& m_model;
    const Installation m_installation;
    Interaction& m_interaction;
    Controls m_controls;
};

} // namespace orvanta
