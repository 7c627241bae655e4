#include "ui/qt/program_icon.h"

#include "assets/icon.h"
#include "assets/picture_catalogue.h"

#include <QImage>
#include <QPixmap>
#include <QtDebug>

namespace kt::qt {

QIcon programIcon() {
    const auto icon = readIco(iconFile());
    if (!icon) {
        qWarning("kinematics-test: %s", icon.error().describe("icon").c_str());
        return {};
    }
    return toQIcon(icon.value());
}

QIcon toQIcon(const Icon& icon) {
    QIcon result;
    for (const IconImage& image : icon.images) {
        QImage rgba(image.width, image.height, QImage::Format_RGBA8888);
        const auto rowBytes = static_cast<std::size_t>(image.width) * 4;
        for (int y = 0; y < image.height; ++y)
            std::copy_n(image.rgba.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes,
                        rgba.scanLine(y));
        result.addPixmap(QPixmap::fromImage(std::move(rgba)));
    }
    return result;
}

} // namespace kt::qt
