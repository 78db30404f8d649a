// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pipeline/SheetBuilder.h"

#include <QObject>
#include <QTemporaryDir>
#include <QWidget>

namespace orvanta {

class Interaction;
class PreviewRenderer;
struct Message;
struct Sheet;

// File > Export PDF and File > Export Cover Image: the sheet's PDF saved where the user says, or page 1 of it as a
// PNG 1200 pixels wide (WriteCover()). The PDF is the preview's when it shows this very page with the chosen
// engine, otherwise one made for the purpose; either way the installation's output folder is left alone.
class SheetExport : public QObject {
    Q_OBJECT

public:
    enum class Kind { Pdf, Cover };

    SheetExport(const Installation& installation, const PreviewRenderer& preview, Interaction& interaction,
                QWidget& window);

    // Asks where to save, then makes the file; a problem is reported in a message box.
    void start(Kind kind, const Sheet& sheet);
    bool isRunning() const { return m_builder.isRunning(); }
    void setEngine(EngineChoice choice, const QString& chromiumProgram)
    {
        m_builder.setEngine(choice, chromiumProgram);
    }

Q_SIGNALS:
    // The file was written.
    void saved(orvanta::SheetExport::Kind kind, const QString& path);

private:
    void built(const BuildResult& result);
    void report(const Message& message);

    const PreviewRenderer& m_preview;
    Interaction& m_interaction;
    QWidget& m_window;
    SheetBuilder m_builder;
    QTemporaryDir m_folder;
    Kind m_kind = Kind::Pdf;
    QString m_path;
};

} // namespace orvanta
