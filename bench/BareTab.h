// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEventLoop>
#include <QString>

namespace orvanta {
class ChromiumProcess;
}

// What the browser does for a PDF at the least, in a tab kept open as the jobs keep theirs: the page loaded and
// printed with the jobs' parameters, the PDF left in memory.
class BareTab {
public:
    explicit BareTab(orvanta::ChromiumProcess& browser);
    ~BareTab();

    bool print(const QString& page);

private:
    orvanta::ChromiumProcess& m_browser;
    QEventLoop m_loop;
    QString m_target;
    QString m_session;
    bool m_printed = false;
};
