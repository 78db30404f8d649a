// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class DesignPanel;
}

namespace orvanta {

class Installation;
class Interaction;
class SheetModel;

// The panel beside the preview with every choice that changes the PDF but not its words: the look, colour, logo
// and paper, the QR codes and the click-tracking fields, all bound to the model.
class DesignPanel : public QWidget {
    Q_OBJECT

public:
    DesignPanel(SheetModel& model, const Installation& installation, Interaction& interaction,
                QWidget* parent = nullptr);
    ~DesignPanel() override;

private:
    std::unique_ptr<Ui::DesignPanel> ui;
};

} // namespace orvanta
