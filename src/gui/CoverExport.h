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

// File > Export Cover Image: page 1 of the sheet's PDF as a PNG 1200 pixels wide (WriteCover()). The PDF is the
// preview's when it shows this very page with the chosen engine, otherwise one built for the purpose; either way
// the installation's output folder is left alone.
class CoverExport : public QObject {
    Q_OBJECT

public:
    CoverExport(const QString& installFolder, const PreviewRenderer& preview, Interaction& interaction,
                QWidget& window);

    // Asks where to save the picture, then makes it; a problem is reported in a message box.
    void start(const Sheet& sheet);
    bool isRunning() const { return m_builder.isRunning(); }
    void setEngine(EngineChoice choice, const QString& chromiumProgram)
    {
        m_builder.setEngine(choice, chromiumProgram);
    }

Q_SIGNALS:
    // The picture was written.
    void saved(const QString& pngPath);

private:
    void built(const BuildResult& result);
    void report(const Message& message);

    const PreviewRenderer& m_preview;
    Interaction& m_interaction;
    QWidget& m_window;
    SheetBuilder m_builder;
    QTemporaryDir m_folder;
    QString m_pngPath;
};

} // namespace orvanta
