#pragma once

#include <QString>

namespace orvanta {

// The app writes its pages and PDFs into bin and the disclaimer into resources. When either folder exists
// but takes no new file (a read-only copy, a folder of another user), this says so for the user, naming
// the installation folder; otherwise it is empty.
QString InstallFolderProblem(const QString& installFolder);

} // namespace orvanta
