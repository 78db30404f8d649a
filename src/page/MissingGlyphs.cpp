// SPDX-License-Identifier: GPL-3.0-or-later
#include "MissingGlyphs.h"

#include "sheet/Sheet.h"

#include <QSet>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace orvanta {

namespace {

struct CharSetDeleter {
    void operator()(FcCharSet* set) const { FcCharSetDestroy(set); }
};
using CharSet = std::unique_ptr<FcCharSet, CharSetDeleter>;

// The characters of all installed fonts, and of those that are not colour fonts.
struct InstalledCharacters {
    CharSet all{FcCharSetCreate()};
    CharSet outline{FcCharSetCreate()};

    InstalledCharacters()
    {
        FcPattern* anyFont = FcPatternCreate();
        FcObjectSet* wanted = FcObjectSetBuild(FC_CHARSET, FC_COLOR, nullptr);
        FcFontSet* fonts = FcFontList(nullptr, anyFont, wanted);
        for (int i = 0; fonts && i < fonts->nfont; ++i) {
            FcCharSet* characters = nullptr;
            if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &characters) != FcResultMatch)
                continue;
            FcCharSetMerge(all.get(), characters, nullptr);
            FcBool colour = FcFalse;
            FcPatternGetBool(fonts->fonts[i], FC_COLOR, 0, &colour);
            if (!colour)
                FcCharSetMerge(outline.get(), characters, nullptr);
        }
        if (fonts)
            FcFontSetDestroy(fonts);
        FcObjectSetDestroy(wanted);
        FcPatternDestroy(anyFont);
    }
};

const InstalledCharacters& Installed()
{
    static const InstalledCharacters installed;
    return installed;
}

// Characters that need no glyph of their own: they are blank, invisible, or drawn onto the character before them.
bool NeedsNoGlyph(char32_t character)
{
    switch (QChar::category(character)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

// Pictographs: the emoji and symbol blocks that emoji fonts cover.
bool IsPictograph(char32_t c)
{
    return (c >= 0x2600 && c <= 0x27BF) || (c >= 0x2B00 && c <= 0x2BFF) || (c >= 0x1F000 && c <= 0x1FAFF);
}

} // namespace

QList<char32_t> MissingGlyphs(const QStringList& texts, EngineKind engine)
{
    const InstalledCharacters& installed = Installed();
    FcCharSet* drawable = engine == EngineKind::Wkhtmltopdf ? installed.outline.get() : installed.all.get();
    QList<char32_t> missing;
    QSet<char32_t> seen;
    for (const QString& text : texts) {
        for (const char32_t character : text.toUcs4()) {
            if (NeedsNoGlyph(character) || seen.contains(character))
                continue;
            seen.insert(character);
            if (!FcCharSetHasChar(drawable, character))
                missing.append(character);
        }
    }
    return missing;
}

QStringList PrintedTexts(const Sheet& sheet, const QString& disclaimer)
{
    QStringList texts{sheet.headline, sheet.subheadline, sheet.footer};
    if (sheet.noteBelowEachResource)
        texts.append(sheet.note);
    for (const ResourceEntry& resource : sheet.resources)
        texts.append(resource.linkText);
    if (sheet.disclaimer)
        texts.append(disclaimer);
    return texts;
}

QString FontPackage(char32_t character, EngineKind engine)
{
    switch (QChar::script(character)) {
    case QChar::Script_Hangul:
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo:
        return QStringLiteral("fonts-noto-cjk");
    default:
        if ((character >= 0x3000 && character <= 0x303F) || (character >= 0xFF00 && character <= 0xFFEF))
            return QStringLiteral("fonts-noto-cjk"); // CJK punctuation, full-width forms
        break;
    }
    if (IsPictograph(character))
        return engine == EngineKind::Wkhtmltopdf ? QStringLiteral("fonts-symbola")
                                                 : QStringLiteral("fonts-noto-color-emoji");
    return QStringLiteral("fonts-noto-core");
}

} // namespace orvanta
