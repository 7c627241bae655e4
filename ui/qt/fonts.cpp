#include "ui/qt/fonts.h"

#include "ui/layout.h"
#include "ui/qt/text.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>

#include <cmath>
#include <span>

extern "C" {
extern const unsigned char kt_font_serif_regular[], kt_font_serif_regular_end[];
extern const unsigned char kt_font_serif_bold[], kt_font_serif_bold_end[];
extern const unsigned char kt_font_serif_italic[], kt_font_serif_italic_end[];
extern const unsigned char kt_font_sans_regular[], kt_font_sans_regular_end[];
extern const unsigned char kt_font_palatino_italic[], kt_font_palatino_italic_end[];
}

namespace kt::qt {

namespace {

struct BuiltInFont {
    const char* family;
    const char* style;
    const unsigned char* begin;
    const unsigned char* end;
};

// What the windows' own captions use.
const BuiltInFont kWindowFonts[] = {
    {"Liberation Serif", "Regular", kt_font_serif_regular, kt_font_serif_regular_end},
    {"Liberation Serif", "Bold", kt_font_serif_bold, kt_font_serif_bold_end},
};
// What only the metafile pictures use besides those.
const BuiltInFont kPictureFonts[] = {
    {"Liberation Serif", "Italic", kt_font_serif_italic, kt_font_serif_italic_end},
    {"Liberation Sans", "Regular", kt_font_sans_regular, kt_font_sans_regular_end},
    {"TeX Gyre Pagella", "Italic", kt_font_palatino_italic, kt_font_palatino_italic_end},
};

// The faces the descriptions and the pictures name, and the built-in families drawn for them.
struct StandIn {
    const char16_t* named;
    const char16_t* family;
};
const StandIn kStandIns[] = {
    {u"Times New Roman", u"Liberation Serif"},
    {u"Arial", u"Liberation Sans"},
    {u"Book Antiqua", u"TeX Gyre Pagella"},
};

// Registering a face makes fontconfig read the whole file. Where the system already offers the
// face Qt draws the system's copy even when ours is registered beside it, so ours is registered
// only where it is missing.
void install(std::span<const BuiltInFont> fonts) {
    for (const auto& font : fonts) {
        const QString family = QString::fromLatin1(font.family);
        if (QFontDatabase::styles(family).contains(QLatin1String(font.style)))
            continue;
        // The data stays in the executable for the whole run, so Qt may use it without a copy.
        QFontDatabase::addApplicationFontFromData(
            QByteArray::fromRawData(reinterpret_cast<const char*>(font.begin),
                                    static_cast<qsizetype>(font.end - font.begin)));
    }
}

} // namespace

void installBuiltInFonts() {
    static const bool installed = (install(kWindowFonts), true);
    (void)installed;
}

void installPictureFonts() {
    static const bool installed = (install(kPictureFonts), true);
    (void)installed;
}

QString familyFor(QStringView face) {
    for (const auto& [named, standIn] : kStandIns)
        if (face.compare(QStringView(named), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(standIn);
    return face.toString();
}

QFont fontFor(const FontDescription& description) {
    QFont font(familyFor(toQString(description.Name)));
    font.setPixelSize(fontPixels(description));
    font.setWeight(description.Weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(description.Italic);
    font.setUnderline(description.Underline);
    font.setStrikeOut(description.Strikethrough);
    return font;
}

} // namespace kt::qt
