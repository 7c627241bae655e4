#include "ui/qt/fonts.h"

#include "ui/qt/text.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QHash>

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
    const unsigned char* begin;
    const unsigned char* end;
};

// What the windows' own captions use.
const BuiltInFont kWindowFonts[] = {
    {kt_font_serif_regular, kt_font_serif_regular_end},
    {kt_font_serif_bold, kt_font_serif_bold_end},
};
// What only the metafile pictures use besides those.
const BuiltInFont kPictureFonts[] = {
    {kt_font_serif_italic, kt_font_serif_italic_end},
    {kt_font_sans_regular, kt_font_sans_regular_end},
    {kt_font_palatino_italic, kt_font_palatino_italic_end},
};

QHash<QString, QString>& substitutes() {
    static QHash<QString, QString> map;
    return map;
}

// Registering a face makes fontconfig read its every glyph, which is a good part of start-up;
// each set is therefore registered when it is first needed.
void install(std::span<const BuiltInFont> fonts) {
    QStringList families;
    for (const auto& font : fonts) {
        // The data stays in the executable for the whole run, so Qt may use it without a copy.
        const auto data = QByteArray::fromRawData(reinterpret_cast<const char*>(font.begin),
                                                  static_cast<qsizetype>(font.end - font.begin));
        const int id = QFontDatabase::addApplicationFontFromData(data);
        families += id < 0 ? QStringList{} : QFontDatabase::applicationFontFamilies(id);
    }
    auto& map = substitutes();
    auto use = [&](const QString& face, const QString& family) {
        if (families.contains(family))
            map.insert(face.toCaseFolded(), family);
    };
    use(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    use(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    use(QStringLiteral("Book Antiqua"), QStringLiteral("TeX Gyre Pagella"));
}

} // namespace

void installBuiltInFonts() {
    install(kWindowFonts);
}

void installPictureFonts() {
    static const bool installed = (install(kPictureFonts), true);
    (void)installed;
}

QString familyFor(QStringView face) {
    const QString key = face.toString().toCaseFolded();
    return substitutes().value(key, face.toString());
}

QFont fontFor(const FontDescription& description) {
    QFont font(familyFor(toQString(description.Name)));
    font.setPixelSize(static_cast<int>(std::lround(description.Size * 96.0 / 72.0)));
    font.setWeight(description.Weight >= 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(description.Italic);
    font.setUnderline(description.Underline);
    font.setStrikeOut(description.Strikethrough);
    return font;
}

} // namespace kt::qt
