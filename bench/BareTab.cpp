// SPDX-License-Identifier: GPL-3.0-or-later
#include "BareTab.h"

#include "engines/ChromiumEngine.h"
#include "engines/ChromiumProcess.h"

#include <QJsonObject>
#include <QUrl>

using namespace orvanta;

BareTab::BareTab(ChromiumProcess& browser)
    : m_browser(browser)
{
    m_browser.send(QStringLiteral("Target.createTarget"), {{QStringLiteral("url"), QStringLiteral("about:blank")}}, {},
                   &m_loop, [this](const QJsonObject& created, const std::optional<orvanta::BrowserProblem>&) {
                       m_target = created.value(QStringLiteral("targetId")).toString();
                       m_browser.send(
                           QStringLiteral("Target.attachToTarget"),
                           {{QStringLiteral("targetId"), m_target}, {QStringLiteral("flatten"), true}}, {}, &m_loop,
                           [this](const QJsonObject& attached, const std::optional<orvanta::BrowserProblem>&) {
                               m_session = attached.value(QStringLiteral("sessionId")).toString();
                               m_browser.send(QStringLiteral("Page.enable"), {}, m_session, &m_loop,
                                              [this](const QJsonObject&,
                                                     const std::optional<orvanta::BrowserProblem>&) { m_loop.quit(); });
                           });
                   });
    m_loop.exec();
    QObject::connect(&m_browser, &ChromiumProcess::event, &m_loop, [this](const QString& id, const QString& method) {
        if (id == m_session && method == u"Page.loadEventFired")
            m_browser.send(QStringLiteral("Page.printToPDF"), ChromiumPrintParameters(), m_session, &m_loop,
                           [this](const QJsonObject& result, const std::optional<orvanta::BrowserProblem>&) {
                               m_printed = !result.value(QStringLiteral("data")).toString().isEmpty();
                               m_loop.quit();
                           });
    });
}

BareTab::~BareTab()
{
    m_browser.send(QStringLiteral("Target.closeTarget"), {{QStringLiteral("targetId"), m_target}}, {}, nullptr, {});
}

bool BareTab::print(const QString& page)
{
    m_printed = false;
    m_browser.send(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), QUrl::fromLocalFile(page).toString()}},
                   m_session, &m_loop,
                   [this](const QJsonObject&, const std::optional<orvanta::BrowserProblem>& problem) {
                       if (problem)
                           m_loop.quit();
                   });
    m_loop.exec();
    return m_printed;
}
