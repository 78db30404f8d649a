// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChromiumProcess.h"

#include "PdfEngine.h"
#include "sheet/OwnFolders.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta {

namespace {

const QString ProfilePrefix = QStringLiteral("orvanta-chromium-");

// The profiles of the browsers of this process that run.
QSet<QString>& profilesInUse()
{
    static QSet<QString> profiles;
    return profiles;
}

// The profile folders that runs of the app left behind when they were killed: their process is gone. This
// process's own are left from browsers that were killed, while a helper still wrote. Only real folders of this user
// are removed, and nothing in them is followed (RemoveOwnFolder()): a link of such a name leads nowhere.
void removeStaleProfiles(const QString& base)
{
    static const QRegularExpression name(QStringLiteral("^") + ProfilePrefix + QStringLiteral("(\\d+)-"));
    const int folder = ::open(QFile::encodeName(base).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    QStringList entries;
    if (DIR* listing = ::fdopendir(::fcntl(folder, F_DUPFD_CLOEXEC, 0))) {
        while (const dirent* entry = ::readdir(listing)) {
            const QString entryName = QFile::decodeName(entry->d_name);
            if (entryName.startsWith(ProfilePrefix))
                entries.append(entryName);
        }
        ::closedir(listing);
    }
    for (const QString& entry : std::as_const(entries)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch())
            continue;
        bool number = false;
        const qint64 pid = match.captured(1).toLongLong(&number);
        if (!number || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
            continue;
        const bool mine = pid == ::getpid() && !profilesInUse().contains(base + u'/' + entry);
        if (mine || (pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
            RemoveOwnFolder(folder, entry);
    }
    ::close(folder);
}

// The memory a process holds of its own, from /proc/PID/status: its anonymous and shared memory, resident or
// swapped out. The program's files, mapped by every process of the browser and given back at need, do not count.
// (Its PSS, from smaps_rollup, costs some milliseconds a process to read.)
qint64 processMemory(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    qint64 kilobytes = 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        for (const QByteArrayView field : {"RssAnon:", "RssShmem:", "VmSwap:"}) {
            if (line.startsWith(field)) // "RssAnon:     123456 kB"
                kilobytes += line.mid(field.size()).trimmed().split(' ').constFirst().toLongLong();
        }
    }
    return kilobytes * 1024;
}

QStringList browserArguments(const QString& profile)
{
    // Every connection would go to a proxy port that refuses it and no host name resolves: a second wall behind
    // the request interception of each tab, which also covers what no request shows, such as a preconnect.
    const QString proxy = QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort());
    QStringList arguments{
        QStringLiteral("--headless"),
        QStringLiteral("--remote-debugging-pipe"),
        QStringLiteral("--user-data-dir=") + profile,
        QStringLiteral("--no-first-run"),
        QStringLiteral("--no-default-browser-check"),
        QStringLiteral("--disable-background-networking"),
        QStringLiteral("--disable-component-update"),
        QStringLiteral("--disable-sync"),
        QStringLiteral("--metrics-recording-only"),
        QStringLiteral("--disable-breakpad"),
        QStringLiteral("--disable-domain-reliability"),
        QStringLiteral("--disable-client-side-phishing-detection"),
        QStringLiteral("--disable-default-apps"),
        QStringLiteral("--disable-extensions"),
        QStringLiteral("--disable-features=Translate,MediaRouter,OptimizationHints,AutofillServerCommunication"),
        QStringLiteral("--no-pings"),
        QStringLiteral("--no-service-autorun"),
        QStringLiteral("--password-store=basic"),
        QStringLiteral("--disable-gpu"),
        QStringLiteral("--mute-audio"),
        QStringLiteral("--blink-settings=scriptEnabled=false"),
        QStringLiteral("--proxy-server=") + proxy,
        QStringLiteral("--proxy-bypass-list=<-loopback>"),
        QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND"),
    };
    // Chromium refuses to run its sandbox as root; anyone else keeps it.
    if (::geteuid() == 0)
        arguments.append(QStringLiteral("--no-sandbox"));
    arguments.append(QStringLiteral("about:blank"));
    return arguments;
}

} // namespace

std::shared_ptr<ChromiumProcess> ChromiumProcess::shared(const QString& program)
{
    static QHash<QString, std::weak_ptr<ChromiumProcess>> browsers;
    std::shared_ptr<ChromiumProcess> browser = browsers.value(program).lock();
    if (!browser) {
        browser = std::make_shared<ChromiumProcess>(program);
        browsers.insert(program, browser);
    }
    return browser;
}

ChromiumProcess::ChromiumProcess(const QString& program, QObject* parent)
    : QObject(parent)
    , m_program(program)
{
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice()); // D-Bus and GPU complaints, never the page's fault
    connect(&m_process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        browserEnded(status == QProcess::CrashExit
                         ? BrowserProblem{ConversionResult::Fault::BrowserCrashed, {}, 0}
                         : BrowserProblem{ConversionResult::Fault::BrowserExited, {}, exitCode});
    });
}

// Asked to close, the browser ends its helper processes before it exits, so none writes into the profile once it
// is removed; killed, they linger for a moment.
ChromiumProcess::~ChromiumProcess()
{
    m_process.disconnect(this);
    if (m_running) {
        send(QStringLiteral("Browser.close"), {}, {}, nullptr, {});
        m_process.waitForFinished(3000);
    }
    stop();
}

bool ChromiumProcess::isRunning() const
{
    return m_running;
}

std::optional<BrowserProblem> ChromiumProcess::ensureRunning()
{
    using Fault = ConversionResult::Fault;
    if (m_running)
        return std::nullopt;
    const QString base = profileBase();
    if (base.isEmpty())
        return BrowserProblem{Fault::NoProfileBase, QDir::tempPath(), 0};
    removeStaleProfiles(base);
    QByteArray profile = QFile::encodeName(
        base + u'/' + ProfilePrefix + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"));
    if (!::mkdtemp(profile.data()))
        return BrowserProblem{Fault::NoProfileFolder, QString::fromLocal8Bit(std::strerror(errno)), 0};
    m_profile = QFile::decodeName(profile);
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        RemoveOwnFolder(std::exchange(m_profile, {}));
        return BrowserProblem{Fault::NoPipe, reason, 0};
    }
    const int browserEnd = ends[1];
    m_process.setChildProcessModifier([browserEnd] {
        // It ends with the app, even when the app is killed, and leads a process group of its helpers, which
        // end with it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::setpgid(0, 0);
        // Out of the way of 3 and 4 first, which dup2 then gives without close-on-exec.
        const int high = ::fcntl(browserEnd, F_DUPFD_CLOEXEC, 10);
        ::dup2(high, 3);
        ::dup2(high, 4);
    });
    // Its crash reports and caches go into the profile too, not into the user's home.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_profile + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_profile + QStringLiteral("/cache"));
    m_process.setProcessEnvironment(environment);
    m_process.start(m_program, browserArguments(m_profile));
    ::close(browserEnd);
    if (!m_process.waitForStarted()) {
        ::close(ends[0]);
        RemoveOwnFolder(std::exchange(m_profile, {}));
        return BrowserProblem{Fault::NotStarted, QStringLiteral("%1 (%2)").arg(m_program, m_process.errorString()), 0};
    }
    m_pid = m_process.processId();
    m_stopped = false;
    m_memoryMeasured = 0;
    profilesInUse().insert(m_profile);
    m_incoming.clear();
    m_scanned = 0;
    m_outgoing.clear();
    m_pipe = ends[0];
    m_readable = std::make_unique<QSocketNotifier>(m_pipe, QSocketNotifier::Read);
    connect(m_readable.get(), &QSocketNotifier::activated, this, &ChromiumProcess::readMessages);
    m_writable = std::make_unique<QSocketNotifier>(m_pipe, QSocketNotifier::Write);
    m_writable->setEnabled(false);
    connect(m_writable.get(), &QSocketNotifier::activated, this, &ChromiumProcess::writeMessages);
    m_running = true;
    ++m_generation;
    return std::nullopt;
}

void ChromiumProcess::stop()
{
    if (m_running)
        m_stopped = true;
    browserEnded({ConversionResult::Fault::BrowserStopped, {}, 0});
}

QString ChromiumProcess::profileBase()
{
    // Cleaned first: with a slash at its end, a link would pass for the folder it leads to.
    const QString runtime = QDir::cleanPath(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    if (QDir::isAbsolutePath(runtime) && IsPrivateFolder(runtime))
        return runtime;
    const QString user = QStringLiteral("/orvanta-%1").arg(::geteuid());
    const QString shared = QDir::tempPath() + user;
    ::mkdir(QFile::encodeName(shared).constData(), 0700); // or it is there already: whose, is checked next
    if (IsPrivateFolder(shared))
        return shared;
    // Someone else's, a link, or open to others: not ours to use or to repair.
    static QString own;
    if (own.isEmpty() || !IsPrivateFolder(own)) {
        QByteArray made = QFile::encodeName(QDir::tempPath() + user + QStringLiteral("-XXXXXX"));
        own = ::mkdtemp(made.data()) ? QFile::decodeName(made) : QString();
    }
    return own;
}

qint64 ChromiumProcess::memoryUse()
{
    const qint64 now = QDeadlineTimer::current().deadline();
    if (m_memoryMeasured == 0 || now - m_memoryMeasured >= 100) {
        m_memory = 0;
        for (const qint64 pid : processIds())
            m_memory += processMemory(pid);
        m_memoryMeasured = now;
    }
    return m_memory;
}

void ChromiumProcess::send(const QString& method, const QJsonObject& params, const QString& sessionId, QObject* context,
                           Reply reply)
{
    if (!m_running) {
        QMetaObject::invokeMethod(
            this,
            [context = QPointer(context), reply] {
                if (context && reply)
                    reply({}, BrowserProblem{ConversionResult::Fault::BrowserNotRunning, {}, 0});
            },
            Qt::QueuedConnection);
        return;
    }
    const int id = m_nextId++;
    QJsonObject message{{QStringLiteral("id"), id}, {QStringLiteral("method"), method}};
    if (!params.isEmpty())
        message.insert(QStringLiteral("params"), params);
    if (!sessionId.isEmpty())
        message.insert(QStringLiteral("sessionId"), sessionId);
    if (reply)
        m_pending.insert(id, {context, std::move(reply)});
    m_outgoing += QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
    writeMessages();
}

// As much as the pipe takes now; the rest when it has room. A browser gone makes no signal here: its end arrives
// through the process.
void ChromiumProcess::writeMessages()
{
    while (!m_outgoing.isEmpty()) {
        const ssize_t written =
            ::send(m_pipe, m_outgoing.constData(), static_cast<size_t>(m_outgoing.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        m_outgoing.remove(0, written);
    }
    const bool blocked = !m_outgoing.isEmpty() && (errno == EAGAIN || errno == EWOULDBLOCK);
    m_writable->setEnabled(blocked);
    if (!blocked)
        m_outgoing.clear();
}

void ChromiumProcess::readMessages()
{
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t count = ::recv(m_pipe, chunk, sizeof chunk, MSG_DONTWAIT);
        if (count > 0) {
            m_incoming.append(chunk, count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else {
            if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
                // Closed: the messages read so far still count, then the browser is gone.
                QMetaObject::invokeMethod(
                    this,
                    [this, generation = m_generation] {
                        if (m_generation == generation)
                            browserEnded({ConversionResult::Fault::BrowserClosedPipe, {}, 0});
                    },
                    Qt::QueuedConnection);
                m_readable->setEnabled(false);
            }
            break;
        }
    }
    QList<QJsonObject> messages;
    qsizetype begin = 0;
    for (qsizetype end; (end = m_incoming.indexOf('\0', m_scanned)) >= 0; m_scanned = begin) {
        messages.append(
            QJsonDocument::fromJson(QByteArrayView(m_incoming).sliced(begin, end - begin).toByteArray()).object());
        begin = end + 1;
    }
    m_incoming.remove(0, begin);
    m_scanned = m_incoming.size();
    // An answer may end the browser (a test kills it, say); what the dead browser said after that is dropped.
    const int generation = m_generation;
    for (const QJsonObject& message : messages) {
        if (!m_running || m_generation != generation)
            return;
        dispatch(message);
    }
}

void ChromiumProcess::dispatch(const QJsonObject& message)
{
    const QJsonValue id = message.value(QStringLiteral("id"));
    if (id.isUndefined()) {
        Q_EMIT event(message.value(QStringLiteral("sessionId")).toString(),
                     message.value(QStringLiteral("method")).toString(),
                     message.value(QStringLiteral("params")).toObject());
        return;
    }
    const Pending pending = m_pending.take(id.toInt());
    if (!pending.context || !pending.reply)
        return;
    if (!message.contains(QStringLiteral("error"))) {
        pending.reply(message.value(QStringLiteral("result")).toObject(), std::nullopt);
        return;
    }
    const QString error = message.value(QStringLiteral("error")).toObject().value(QStringLiteral("message")).toString();
    pending.reply({},
                  BrowserProblem{ConversionResult::Fault::None, error.isEmpty() ? QStringLiteral("error") : error, 0});
}

QList<qint64> ChromiumProcess::processIds() const
{
    QList<qint64> found;
    if (m_pid <= 0)
        return found;
    const QByteArray profile = QFile::encodeName(m_profile);
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QString folder = QStringLiteral("/proc/") + entry;
        QFile statFile(folder + QStringLiteral("/stat"));
        if (!statFile.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid pgrp ...": the name may hold spaces, so fields count from its closing bracket.
        const QByteArray stat = statFile.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 3 || fields.at(0) == "Z")
            continue;
        QFile cmdline(folder + QStringLiteral("/cmdline"));
        const bool inGroup = fields.at(2).toLongLong() == m_pid;
        if (inGroup || (!profile.isEmpty() && cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(profile)))
            found.append(pid);
    }
    return found;
}

void ChromiumProcess::closePipe()
{
    m_readable.reset();
    m_writable.reset();
    if (m_pipe >= 0)
        ::close(m_pipe);
    m_pipe = -1;
    m_outgoing.clear();
}

void ChromiumProcess::browserEnded(const BrowserProblem& problem)
{
    if (!m_running)
        return;
    m_running = false;
    closePipe();
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    // Helpers outlive a browser that was killed, and would write into the profile as it goes.
    for (const qint64 pid : processIds())
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    profilesInUse().remove(m_profile);
    RemoveOwnFolder(std::exchange(m_profile, {})); // what a lingering helper writes after, the next start removes
    m_jobs = 0;
    // The jobs hear first, so that they report a crash, not a refused command.
    const QHash<int, Pending> pending = std::exchange(m_pending, {});
    Q_EMIT ended(problem);
    for (const Pending& command : pending) {
        if (command.context)
            command.reply({}, problem);
    }
}

} // namespace orvanta
