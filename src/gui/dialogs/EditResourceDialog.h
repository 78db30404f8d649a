// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/ResourceEntry.h"

#include <QDialog>
#include <memory>

namespace Ui {
class EditResourceDialog;
}

namespace orvanta {

class Interaction;

// Changes one resource's link text, URL and description. OK takes them only when neither text nor URL is empty; the
// description may be.
class EditResourceDialog : public QDialog {
    Q_OBJECT

public:
    EditResourceDialog(const ResourceEntry& entry, Interaction& interaction, QWidget* parent = nullptr);
    ~EditResourceDialog() override;

    ResourceEntry entry() const;

    void accept() override;

private:
    std::unique_ptr<Ui::EditResourceDialog> ui;
    Interaction& m_interaction;
};

} // namespace orvanta
