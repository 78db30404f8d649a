// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverImage.h"

#include <QPainter>
#include <QPdfDocument>
#include <QSaveFile>

namespace orvanta {

QImage RenderCover(const QString& pdfPath, int width)
{
    QPdfDocument document;
    if (document.load(pdfPath) != QPdfDocument::Error::None || document.pageCount() < 1)
        return {};
    const QSizeF page = document.pagePointSize(0);
    if (page.isEmpty())
        return {};
    const QSize size(width, qRound(width * page.height() / page.width()));
    const QImage drawn = document.render(0, size); // transparent where the page has no background of its own
    if (drawn.isNull())
        return {};
    QImage cover(size, QImage::Format_RGB32);
    cover.fill(Qt::white);
    QPainter(&cover).drawImage(0, 0, drawn);
    return cover;
}

std::optional<CoverProblem> WriteCover(const QString& pdfPath, const QString& pngPath)
{
    const QImage cover = RenderCover(pdfPath);
    if (cover.isNull())
        return CoverProblem{CoverProblem::Kind::PdfUnreadable, pdfPath};
    QSaveFile file(pngPath);
    if (!file.open(QIODevice::WriteOnly) || !cover.save(&file, "PNG") || !file.commit())
        return CoverProblem{CoverProblem::Kind::NotSaved, pngPath, file.errorString()};
    return {};
}

} // namespace orvanta
