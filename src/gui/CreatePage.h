// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <memory>

namespace Ui {
class CreatePage;
}

namespace orvanta {

class SheetModel;

// The create page: the file name, bound to the model, and the two commands, which the main window carries out.
class CreatePage : public QGroupBox {
    Q_OBJECT

public:
    explicit CreatePage(SheetModel& model, QWidget* parent = nullptr);
    ~CreatePage() override;

    // While a PDF is being made, neither command can start again.
    void setBusy(bool busy);

Q_SIGNALS:
    void createRequested();
    void openFolderRequested();

private:
    std::unique_ptr<Ui::CreatePage> ui;
};

} // namespace orvanta
