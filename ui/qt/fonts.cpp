#include "ui/qt/fonts.h"

#include "ui/layout.h"
#include "ui/qt/built_in_faces.h"
#include "ui/qt/text.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>

#include <cmath>
#include <span>

namespace kt::qt {

namespace {

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
