// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckLinks.h"

#include "links/LinkChecker.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"
#include "words/CommandLineWords.h"
#include "words/FileWords.h"
#include "words/LinkWords.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QTextStream>

namespace orvanta {

namespace {

int usageError(QTextStream& err, const QString& message)
{
    err << CommandLineWords::tr("orvanta: %1").arg(message) << '\n'
        << CommandLineWords::tr("Try \"orvanta --help\".") << Qt::endl;
    return 2;
}

} // namespace

int RunCheck(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption jobsOption({QStringLiteral("j"), QStringLiteral("jobs")}, {}, QStringLiteral("N"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"), {}, QStringLiteral("SECONDS"));
    parser.addOptions({jobsOption, timeoutOption});
    if (!parser.parse(arguments))
        return usageError(err, parser.errorText());
    QStringList sheets = parser.positionalArguments().mid(1); // after "check"
    if (sheets.isEmpty())
        return usageError(err, CommandLineWords::tr("name at least one sheet to check"));
    LinkChecker checker;
    bool ok = true;
    if (parser.isSet(jobsOption)) {
        const int jobs = parser.value(jobsOption).toInt(&ok);
        if (!ok || jobs < 1)
            return usageError(err, CommandLineWords::tr("--jobs takes a whole number from 1 on"));
        checker.setMaxRunning(jobs);
    }
    if (parser.isSet(timeoutOption)) {
        const double seconds = parser.value(timeoutOption).toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 3600)
            return usageError(err, CommandLineWords::tr("--timeout takes a number of seconds, more than 0"));
        checker.setTimeout(std::chrono::milliseconds(qRound64(seconds * 1000)));
    }

    bool failed = false;
    QList<std::pair<QString, QStringList>> linksOfSheets;
    QStringList everyLink;
    for (const QString& path : std::as_const(sheets)) {
        const Expected<Sheet, FileProblem> sheet = LoadSheet(path, FileKinds::StreamsToo);
        if (!sheet) {
            err << CommandLineWords::tr("%1: %2").arg(path, FileWords::problem(sheet.error())) << Qt::endl;
            failed = true;
            continue;
        }
        QStringList links;
        for (const ResourceEntry& entry : std::as_const(sheet->resources)) {
            if (!entry.heading)
                links.append(entry.linkUrl);
        }
        links.removeDuplicates();
        everyLink += links;
        linksOfSheets.append({path, links});
    }
    QEventLoop loop;
    QObject::connect(&checker, &LinkChecker::finished, &loop, &QEventLoop::quit);
    checker.check(everyLink);
    if (checker.isRunning())
        loop.exec();

    for (const auto& [path, links] : std::as_const(linksOfSheets)) {
        for (const QString& link : links) {
            const LinkVerdict verdict = checker.verdict(link).value_or(LinkVerdict{});
            if (verdict.kind != LinkVerdict::Kind::Fine && verdict.kind != LinkVerdict::Kind::NotChecked)
                out << CommandLineWords::tr("%1: %2: %3").arg(path, link, LinkWords::verdict(verdict)) << '\n';
        }
    }
    const LinkSummary summary = checker.summary();
    out << LinkWords::summary(summary) << Qt::endl;
    return failed || !summary.allFine() ? 1 : 0;
}

} // namespace orvanta
