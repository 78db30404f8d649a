// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conversion.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QPDF;

namespace orvanta {

// What a finished PDF says of itself besides what the engine wrote.
struct PdfMetadata {
    QString title; // the document information's and the XMP metadata's title; empty: as the engine left it
    // The sheet's language tag. Set only for a tagged PDF (Chromium's): the PDF is then finished for screen readers,
    // see FinishPdf().
    QString language;
    // The text of the page's links by their address, in the page's order: each link annotation's description.
    QHash<QString, QStringList> linkTexts;
};

// The content stream with its drawing outside marked content wrapped in /Artifact sequences, a path from its first
// segment to its painting; the same bytes when there is none.
QByteArray MarkedAsArtifacts(const QByteArray& content);

// One more change to the open PDF in the same pass, such as form fields; it throws std::exception to refuse.
using PdfStep = std::function<void(QPDF&)>;

// Rewrites the PDF at `path` in place in one read and one write: the title, and for a tagged PDF with a language
// the catalog's /Lang, the viewer showing the title, /MarkInfo, XMP metadata (title, language, producer, dates, and
// the claim of accessibility), a /Contents on every link annotation (its link's text, else its address), and every
// page's untagged drawing marked as an artifact; then `steps` in order. When qpdf cannot read or rewrite it, the
// file is left as it was and the reason comes back as a NotStored verdict.
std::optional<ConversionResult> FinishPdf(const QString& path, const PdfMetadata& metadata,
                                          const std::vector<PdfStep>& steps = {});

} // namespace orvanta
