// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchBuild.h"

#include "cover/CoverImage.h"
#include "pipeline/SheetBuilder.h"
#include "words/BuildWords.h"
#include "words/CommandLineWords.h"
#include "words/FileWords.h"

#include <QFileInfo>
#include <QTextStream>

namespace orvanta {

namespace {

// One line per sheet, whatever the message's own line breaks.
QString oneLine(const BuildProblem& problem)
{
    const Message message = BuildWords::buildProblem(problem);
    return CommandLineWords::tr("%1: %2").arg(message.title, message.text).replace(u'\n', u' ').simplified();
}

// NAME.png beside NAME.pdf.
std::optional<CoverProblem> writeCoverBeside(const QString& pdfPath)
{
    const QFileInfo pdf(pdfPath);
    return WriteCover(pdfPath, pdf.path() + u'/' + pdf.completeBaseName() + QStringLiteral(".png"));
}

} // namespace

BatchBuild::BatchBuild(const Installation& installation, int jobs, QTextStream& out, QTextStream& err)
    : m_installation(installation)
    , m_jobs(jobs)
    , m_out(out)
    , m_err(err)
{
}

BatchBuild::~BatchBuild() = default;

void BatchBuild::fail(const QString& sheetPath, const QString& reason)
{
    m_failed = true;
    m_err << CommandLineWords::tr("%1: %2").arg(sheetPath, reason) << Qt::endl;
}

void BatchBuild::start(std::vector<Job> jobs)
{
    m_waiting.assign(std::make_move_iterator(jobs.begin()), std::make_move_iterator(jobs.end()));
    for (int i = 0; i < m_jobs && !m_waiting.empty(); ++i) {
        auto builder = std::make_unique<SheetBuilder>(m_installation);
        SheetBuilder* started = builder.get();
        started->setEngine(m_engine);
        m_builders.push_back(std::move(builder));
        startNext(started);
    }
    if (m_running == 0)
        QMetaObject::invokeMethod(this, &BatchBuild::finished, Qt::QueuedConnection);
}

// Starts the next waiting job on `builder`, skipping those refused at once.
void BatchBuild::startNext(SheetBuilder* builder)
{
    while (!m_waiting.empty()) {
        const Job job = std::move(m_waiting.front());
        m_waiting.pop_front();
        if (const auto problem = builder->build(job.sheet, job.name, job.pdfPath)) {
            fail(job.sheetPath, oneLine(*problem));
            continue;
        }
        ++m_running;
        connect(builder, &SheetBuilder::finished, this,
                [this, builder, sheetPath = job.sheetPath](const BuildResult& result) {
                    builder->disconnect(this);
                    --m_running;
                    if (result.problem)
                        fail(sheetPath, oneLine(*result.problem));
                    else if (const auto problem = m_covers ? writeCoverBeside(result.paths.pdfPath) : std::nullopt)
                        fail(sheetPath, FileWords::coverProblem(*problem));
                    else
                        m_out << CommandLineWords::tr("built %1").arg(result.paths.pdfPath) << Qt::endl;
                    for (const QString& warning : BuildWords::buildWarnings(result)) // the PDF is made all the same
                        m_err << CommandLineWords::tr("%1: warning: %2").arg(sheetPath, warning) << Qt::endl;
                    startNext(builder);
                    if (m_running == 0 && m_waiting.empty())
                        Q_EMIT finished();
                });
        return;
    }
}

} // namespace orvanta
