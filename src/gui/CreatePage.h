#pragma once

#include <QGroupBox>
#include <memory>

namespace Ui {
class CreatePage;
}

namespace orvanta {

// The create page: the file name and the two commands, which the main window carries out.
class CreatePage : public QGroupBox {
    Q_OBJECT

public:
    explicit CreatePage(QWidget* parent = nullptr);
    ~CreatePage() override;

    QString fileName() const;
    void setFileName(const QString& name);

    // While a PDF is being made, neither command can start again.
    void setBusy(bool busy);

Q_SIGNALS:
    void fileNameEdited();
    void createRequested();
    void openFolderRequested();

private:
    std::unique_ptr<Ui::CreatePage> ui;
};

} // namespace orvanta
