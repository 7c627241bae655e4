// The faces of a window's captions and of its metafile pictures are there at the window's first
// paint. Nothing here registers them beforehand: the windows see to it themselves. The test runs
// twice, once with the system's fonts and once with fontconfig shown none, so that only the
// program's built-in faces exist.
#include "app/program_description.h"
#include "support/no_events.h"
#include "ui/qt/fonts.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/picture_box.h"

#include <QApplication>
#include <QHash>
#include <QRawFont>
#include <QTest>

#include <memory>

using namespace kt;
using namespace kt::qt;
using kt::test::NoEvents;

namespace {

// The face a font is drawn with, as "family", "family bold" or "family italic".
QString faceOf(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return QStringLiteral("no face");
    QString face = raw.familyName();
    if (raw.weight() >= QFont::Bold)
        face += QStringLiteral(" bold");
    if (raw.style() != QFont::StyleNormal)
        face += QStringLiteral(" italic");
    return face;
}

QFont pictureFont(const char16_t* named, bool italic) {
    QFont font(familyFor(QStringView(named)));
    font.setItalic(italic);
    return font;
}

// Notes, at the first paint of each control, the faces it draws with: a picture box its picture
// faces, any other control its own font.
class FacesAtFirstPaint : public QObject {
public:
    QHash<QString, QStringList> faces;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Paint || !widget || widget->isWindow() ||
            faces.contains(widget->objectName()))
            return false;
        QStringList& seen = faces[widget->objectName()];
        if (qobject_cast<PictureBox*>(widget)) {
            for (const QFont& font :
                 {pictureFont(u"Times New Roman", true), pictureFont(u"Arial", false),
                  pictureFont(u"Book Antiqua", true)})
                seen += faceOf(font);
        } else {
            seen += faceOf(widget->font());
        }
        return false;
    }
};

} // namespace

class FacesTest : public QObject {
    Q_OBJECT

    NoEvents m_events;

    // Paints the window once, as it first appears, and gives the faces each control drew with.
    QHash<QString, QStringList> firstPaint(FormId id) {
        FormWidget window(descriptionOf(id), m_events);
        FacesAtFirstPaint watch;
        qApp->installEventFilter(&watch);
        window.grab();
        qApp->removeEventFilter(&watch);
        return watch.faces;
    }

private slots:
    // Kept first: the start-up window paints before anything else in the program has asked
    // for a face.
    void captionsOfTheFirstWindow() {
        const auto faces = firstPaint(FormId::Form1);
        for (const auto& c : descriptionOf(FormId::Form1).controls()) {
            if (!c.Font)
                continue;
            const QString name =
                QString::fromUtf8(controlName(c.id).data(), controlName(c.id).size());
            QString expected = QStringLiteral("Liberation Serif");
            if (c.Font->Weight >= 700)
                expected += QStringLiteral(" bold");
            QCOMPARE(faces.value(name), QStringList{expected});
        }
    }

    void facesOfAMetafilePicture() {
        const auto faces = firstPaint(FormId::Form4);
        QCOMPARE(faces.value(QStringLiteral("Picture1")),
                 (QStringList{QStringLiteral("Liberation Serif italic"),
                              QStringLiteral("Liberation Sans"),
                              QStringLiteral("TeX Gyre Pagella italic")}));
    }
};

QTEST_MAIN(FacesTest)
#include "faces_test.moc"
