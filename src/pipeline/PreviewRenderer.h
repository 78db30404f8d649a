// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SheetBuilder.h"
#include "sheet/Sheet.h"

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>

namespace orvanta {

// A PDF of the sheet, made from the same page as Create by the same engine, kept up to date as the sheet
// changes. At most one conversion runs at a time; a change during a run starts one more when it ends, with the
// newest sheet, and a result that is stale by then is dropped. The pages and PDFs live in a private temporary
// folder that nothing outlives, not even a kill of the app.
class PreviewRenderer : public QObject {
    Q_OBJECT

public:
    // How long typing must pause before the preview follows. wkhtmltopdf starts afresh for every page; a warm
    // browser prints in about 150 ms, so it prints the first key at once and waits only for the keys after it.
    static constexpr std::chrono::milliseconds TypingPause{400};
    static constexpr std::chrono::milliseconds WarmTypingPause{200};

    explicit PreviewRenderer(const Installation& installation, QObject* parent = nullptr);
    ~PreviewRenderer() override;

    // What shows while the sheet has no headline or no resource, once its design is not a fresh sheet's: `example` in
    // the sheet's design (WithDesignOf). Without one, or in a fresh sheet's design, nothing shows (cleared()).
    void setExample(const Sheet& example) { m_example = example; }
    // The PDF last made is the example's.
    bool showsExample() const { return m_showsExample; }

    // The sheet changed: the preview follows after `pause`, counted again from every further change; with no
    // pause, as soon as no conversion runs. A warm engine that is idle, with no typing waiting for its pause,
    // starts on a paused change at once, so a burst of typing prints its first key and then its last. A change that
    // leaves the page as it was changes nothing.
    void update(const Sheet& sheet, std::chrono::milliseconds pause);
    // The pause for typed text with the chosen engine.
    std::chrono::milliseconds typingPause() const { return m_typingPause; }
    // The engine is warm: an idle one prints a change at once.
    bool printsAtOnce() const { return m_typingPause == WarmTypingPause; }
    // The same sheet again: its templates or disclaimer changed.
    void refresh()
    {
        m_due = true;
        m_pause.start(0);
    }

    // Stops or resumes previews; a stopped preview runs no engine.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    bool isConverting() const { return m_builder.isRunning(); }
    // A conversion of this very sheet runs, whatever its file name: its PDF will be printed().
    bool isConverting(const Sheet& sheet) const;
    // The folder that the pages and PDFs are made in.
    QString folder() const { return m_folder.path(); }
    void setTimeLimit(std::chrono::milliseconds limit) { m_builder.setTimeLimit(limit); }

    // The engine, as SheetBuilder::setEngine() takes it; the preview follows at once.
    void setEngine(EngineChoice choice, const QString& chromiumProgram = {});
    // The newest PDF made, its page and its engine: hand it to SheetBuilder::build() so that Create copies it when
    // it would write the same page. Empty until a PDF was made.
    const PrintedPage& printed() const { return m_printed; }
    // The engine that made the PDF last shown by ready().
    EngineKind engine() const { return m_printed.engine; }
    // The build of that PDF, with what it lacks: its look, characters no font draws (BuildWords::buildWarnings()).
    const BuildResult& shown() const { return m_shown; }

Q_SIGNALS:
    // A conversion started for the newest sheet.
    void converting();
    // The PDF of the newest sheet.
    void ready(const QString& pdfPath);
    // Why the newest sheet has no PDF (BuildWords::previewProblem()).
    void failed(const orvanta::BuildProblem& problem);
    // The sheet has no headline or no resource yet and no example shows, or previews are off: there is nothing to show.
    void cleared();

private:
    void startIfDue();
    void conversionFinished(const BuildResult& result);
    void linkInstallation();

    const Installation m_installation;
    QTemporaryDir m_folder;
    QProcess m_cleaner;
    SheetBuilder m_builder;
    QTimer m_pause;
    Sheet m_sheet;
    Sheet m_example;
    bool m_showsExample = false;
    PrintedPage m_printed;
    BuildResult m_shown;
    bool m_due = false; // the newest sheet has not gone to the engine yet
    bool m_enabled = true;
    std::chrono::milliseconds m_typingPause = TypingPause;
};

} // namespace orvanta
