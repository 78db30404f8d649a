// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conversion.h"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <optional>

namespace orvanta {

// Why the browser did not do what it was asked: what happened (BuildWords puts it into words), with the system's own
// reason and the browser's exit code where there are ones. With no fault, the browser refused a command and `detail`
// is what it said.
struct BrowserProblem {
    ConversionResult::Fault fault = ConversionResult::Fault::None;
    QString detail;
    int exitCode = 0;
};

// One headless Chromium, started on first use, kept warm and shared by every conversion of the process. It is
// driven over the DevTools protocol on a pipe (its fd 3 in, fd 4 out; each message JSON and a NUL), never a
// network port. It gets a throwaway profile in a folder only this user can use (profileBase()), no background
// networking, no updates, sync or metrics, and ends with the app even when the app is killed; a profile left by a
// killed run is removed by the next run's start.
class ChromiumProcess : public QObject {
    Q_OBJECT

public:
    // A command's answer: its result, or the problem (also when the browser ended first).
    using Reply = std::function<void(const QJsonObject& result, const std::optional<BrowserProblem>& problem)>;

    // The browser of `program` that the process shares; made when nobody holds one.
    static std::shared_ptr<ChromiumProcess> shared(const QString& program);

    explicit ChromiumProcess(const QString& program, QObject* parent = nullptr);
    ~ChromiumProcess() override;

    const QString& program() const { return m_program; }
    // Starts the browser unless it runs; the problem when it cannot start.
    std::optional<BrowserProblem> ensureRunning();
    bool isRunning() const;
    // Ends the browser now; the next ensureRunning() starts another. wasStopped() tells such an end from a crash
    // until the next start.
    void stop();
    bool wasStopped() const { return m_stopped; }

    // Sends a command, to the browser or, with a session, to one tab. `reply` runs once, unless `context` is gone
    // by then; a command sent without a reply is not answered.
    void send(const QString& method, const QJsonObject& params, const QString& sessionId, QObject* context,
              Reply reply);

    // The jobs printing now, counted by the jobs themselves.
    void jobStarted() { ++m_jobs; }
    void jobEnded() { m_jobs = qMax(0, m_jobs - 1); }
    int jobCount() const { return m_jobs; }

    qint64 processId() const { return m_process.processId(); }
    // The live processes of the browser: its own, its helpers' and its crash handlers'.
    QList<qint64> processIds() const;
    QString profileFolder() const { return m_profile; }
    // The memory those processes hold now, in bytes: the sum of their anonymous and shared memory, resident or
    // swapped out, without the program's files that they all map. Measured at most every 100 ms.
    qint64 memoryUse();

    // The folder that holds the profiles, which only this user may use: $XDG_RUNTIME_DIR when it is a private folder
    // of this user, otherwise "orvanta-UID" in the temporary folder, made so and checked to be so; when that name is
    // taken by anything else, a folder of this process's own, made afresh. Empty when none can be made.
    static QString profileBase();

Q_SIGNALS:
    // An event of a tab's session.
    void event(const QString& sessionId, const QString& method, const QJsonObject& params);
    // The browser went away: crashed, killed or stopped. Commands in flight have been answered with an error.
    void ended(const orvanta::BrowserProblem& problem);

private:
    void readMessages();
    void writeMessages();
    void closePipe();
    void dispatch(const QJsonObject& message);
    void browserEnded(const BrowserProblem& problem);

    struct Pending {
        QPointer<QObject> context;
        Reply reply;
    };

    const QString m_program;
    QProcess m_process;
    int m_pipe = -1; // our end of the socket pair the browser has as fds 3 and 4
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    QByteArray m_outgoing;
    QString m_profile; // a folder in profileBase(), made and removed by this browser
    QByteArray m_incoming;
    qsizetype m_scanned = 0; // the bytes of m_incoming already searched for a NUL
    QHash<int, Pending> m_pending;
    qint64 m_pid = 0; // the browser's, kept after it ended: the process group of its helpers
    int m_nextId = 1;
    int m_jobs = 0;
    bool m_running = false;
    bool m_stopped = false;
    qint64 m_memory = 0;
    qint64 m_memoryMeasured = 0; // when, on the monotonic clock, in ms
    int m_generation = 0;        // one more for each browser started
};

} // namespace orvanta
