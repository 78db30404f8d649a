// SPDX-License-Identifier: GPL-3.0-or-later
#include "Design.h"

#include "Sheet.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>

namespace orvanta {

namespace {

// A doctype or an entity anywhere, comments included: entities can expand without end or name other files, so an
// SVG that holds either is refused.
bool hasDeclarations(const QByteArray& bytes)
{
    const QByteArray upper = bytes.toUpper();
    return upper.contains("<!DOCTYPE") || upper.contains("<!ENTITY");
}

// The image type its bytes begin with: "png", "jpeg", "svg+xml", or empty.
QString imageType(const QByteArray& bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QStringLiteral("png");
    if (bytes.startsWith("\xff\xd8\xff"))
        return QStringLiteral("jpeg");
    // An SVG file may open with a byte order mark, an XML declaration or comments before its root.
    if (bytes.left(4096).contains("<svg") && !hasDeclarations(bytes))
        return QStringLiteral("svg+xml");
    return {};
}

std::optional<SheetProblem> logoProblem(const QString& logo)
{
    using Kind = SheetProblem::Kind;
    if (logo.isEmpty())
        return {};
    static const QRegularExpression uri(
        QStringLiteral("^data:image/(png|jpeg|svg\\+xml);base64,([A-Za-z0-9+/]*={0,2})\\z"));
    const QRegularExpressionMatch match = uri.match(logo);
    if (!match.hasMatch())
        return SheetProblem{Kind::LogoNotDataUri};
    const QByteArray image = QByteArray::fromBase64(match.captured(2).toLatin1());
    if (image.size() > design::MaxLogoBytes)
        return SheetProblem{Kind::LogoTooLarge};
    if (match.captured(1) == u"svg+xml" && hasDeclarations(image))
        return SheetProblem{Kind::LogoDeclarations};
    if (imageType(image) != match.captured(1))
        return SheetProblem{Kind::LogoNotItsType};
    return {};
}

// The relative luminance of a "#RRGGBB" colour, from its sRGB channels made linear; none for anything else.
std::optional<double> relativeLuminance(const QString& colour)
{
    static const QRegularExpression rgb(QStringLiteral("^#[0-9A-Fa-f]{6}\\z"));
    if (!rgb.match(colour).hasMatch())
        return {};
    const auto linear = [&](qsizetype at) {
        const double channel = QStringView(colour).mid(at, 2).toUInt(nullptr, 16) / 255.0;
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(1) + 0.7152 * linear(3) + 0.0722 * linear(5);
}

} // namespace

double ContrastRatio(const QString& one, const QString& other)
{
    const std::optional<double> first = relativeLuminance(one);
    const std::optional<double> second = relativeLuminance(other);
    if (!first || !second)
        return 0;
    return (std::max(*first, *second) + 0.05) / (std::min(*first, *second) + 0.05);
}

QString TextColourOn(const QString& accent)
{
    return ContrastRatio(design::DarkText, accent) > ContrastRatio(design::LightText, accent) ? design::DarkText
                                                                                              : design::LightText;
}

PaperSize SheetPaper(const Sheet& sheet)
{
    return sheet.pageSize == design::Letter ? PaperSize::Letter : PaperSize::A4;
}

std::optional<SheetProblem> DesignProblem(const Sheet& sheet)
{
    static const QRegularExpression colour(QStringLiteral("^#[0-9A-Fa-f]{6}\\z"));
    if (!colour.match(sheet.accent).hasMatch())
        return SheetProblem{SheetProblem::Kind::BadAccent};
    if (sheet.pageSize != design::A4 && sheet.pageSize != design::Letter)
        return SheetProblem{SheetProblem::Kind::BadPageSize};
    if (!IsLanguageTag(sheet.language))
        return SheetProblem{SheetProblem::Kind::BadLanguage};
    return logoProblem(sheet.logo);
}

Expected<QString, LogoProblem> LogoDataUri(const QByteArray& image)
{
    const QString type = imageType(image);
    if (type.isEmpty() && image.left(4096).contains("<svg") && hasDeclarations(image))
        return Unexpected(LogoProblem::SvgDeclarations);
    if (type.isEmpty())
        return Unexpected(LogoProblem::NotImage);
    if (image.size() > design::MaxLogoBytes)
        return Unexpected(LogoProblem::TooLarge);
    return QStringLiteral("data:image/%1;base64,%2").arg(type, QString::fromLatin1(image.toBase64()));
}

QString DecodeCharacterReferences(const QString& text)
{
    static const QRegularExpression reference(
        QStringLiteral("&#(?:[xX]([0-9A-Fa-f]{1,6})|([0-9]{1,7}));?|&(amp|lt|gt|quot|apos|nbsp|colon|Tab|NewLine);"));
    static const QHash<QString, char32_t> named{
        {QStringLiteral("amp"), U'&'},   {QStringLiteral("lt"), U'<'},    {QStringLiteral("gt"), U'>'},
        {QStringLiteral("quot"), U'"'},  {QStringLiteral("apos"), U'\''}, {QStringLiteral("nbsp"), U'\u00A0'},
        {QStringLiteral("colon"), U':'}, {QStringLiteral("Tab"), U'\t'},  {QStringLiteral("NewLine"), U'\n'}};
    QString decoded;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = reference.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        decoded += QStringView(text).mid(from, match.capturedStart() - from);
        const char32_t code = match.hasCaptured(1)   ? match.captured(1).toUInt(nullptr, 16)
                              : match.hasCaptured(2) ? match.captured(2).toUInt()
                                                     : named.value(match.captured(3));
        if (code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF))
            decoded += QString::fromUcs4(&code, 1);
        from = match.capturedEnd();
    }
    decoded += QStringView(text).mid(from);
    return decoded;
}

QString PlainTitle(const QString& headline)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return DecodeCharacterReferences(QString(headline).replace(tag, QStringLiteral(" "))).simplified();
}

Sheet WithDesignOf(Sheet sheet, const Sheet& from)
{
    for (QString Sheet::*member : {&Sheet::look, &Sheet::accent, &Sheet::logo, &Sheet::pageSize})
        sheet.*member = from.*member;
    return sheet;
}

} // namespace orvanta
