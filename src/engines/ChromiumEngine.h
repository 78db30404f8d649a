// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PdfEngine.h"

#include <QJsonObject>
#include <QTimer>
#include <memory>

namespace orvanta {

class ChromiumProcess;
struct BrowserProblem;

// The parameters of Page.printToPDF: the paper (A4 or Letter) with backgrounds, tagged, with an outline, laid out as
// wkhtmltopdf does.
QJsonObject ChromiumPrintParameters(PaperSize paper = PaperSize::A4);

// One page at a time printed by the shared Chromium, in a tab of its own, so engines run side by side; the tab stays
// open for the next page. The tab runs no script and loads nothing but files inside the page's own folder (or the
// readable folder) and data: URIs; every other request fails. The PDF is on the job's paper(), with backgrounds, tagged
// and with an outline, printed at the scale that gives the template's sizes as wkhtmltopdf draws them. A tab whose
// renderer crashes ends the job at once; a browser that grows past the memory limit while the job runs is stopped, and
// the next job starts another.
class ChromiumEngine : public PdfEngine {
    Q_OBJECT

public:
    // `program` is the browser; the shared one of that program is started by a job if it does not run.
    explicit ChromiumEngine(const QString& program, QObject* parent = nullptr);
    ~ChromiumEngine() override;

    // The most memory the browser may use while this job prints, in bytes (ChromiumProcess::memoryUse(), checked
    // four times a second); past it, the job ends with TooMuchMemory and the browser is stopped.
    static constexpr qint64 DefaultMemoryLimit = qint64{1536} * 1024 * 1024;
    void setMemoryLimit(qint64 bytes) { m_memoryLimit = bytes; }
    qint64 memoryLimit() const { return m_memoryLimit; }

    // The browser that this engine's jobs print in.
    ChromiumProcess* browser() const { return m_browser.get(); }

protected:
    void render(const QString& pagePath, const QString& tempPath) override;
    // A tab that printed is kept for the next job, which saves starting a renderer; any other is closed.
    void stop(bool succeeded) override;
    // A tab that hangs is closed. A browser that has no other tab to print is restarted too, in case it is the
    // browser that hangs.
    void timeLimitReached() override;

private:
    void openTab();
    void loadPage(const QJsonObject& attached);
    void navigate();
    void browserEnded(const BrowserProblem& problem);
    void command(const QString& method, const QJsonObject& params,
                 std::function<void(const QJsonObject& result)> then = {});
    void browserEvent(const QString& sessionId, const QString& method, const QJsonObject& params);
    void requestPaused(const QJsonObject& params);
    void print();
    void printed(const QJsonObject& result);
    void checkMemory();
    void failAfterGrace(ConversionResult result);
    void closeTab();

    std::shared_ptr<ChromiumProcess> m_browser;
    QTimer m_memoryTimer;
    qint64 m_memoryLimit = DefaultMemoryLimit;
    QStringList m_readableFolders; // the real paths, links resolved, of the folders the page may load from
    QString m_pageUrl;
    QString m_targetId;
    QString m_sessionId;
    bool m_navigated = false;
    bool m_answered = false; // the browser answered a command of this run
    bool m_retried = false;  // the browser was started again for this job
    bool m_counted = false;  // among the browser's running jobs
    quint64 m_run = 0;       // tells this run's answers from those of a cancelled one
};

} // namespace orvanta
