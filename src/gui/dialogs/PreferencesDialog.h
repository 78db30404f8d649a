#pragma once

#include "core/PdfEngine.h"

#include <QDialog>
#include <memory>

namespace Ui {
class PreferencesDialog;
}

namespace orvanta {

// The app's preferences: which PDF engine makes the preview and the PDFs. It returns the choice; the caller keeps it.
class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    explicit PreferencesDialog(EngineChoice engine, QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    EngineChoice engine() const;

private:
    std::unique_ptr<Ui::PreferencesDialog> ui;
};

} // namespace orvanta
