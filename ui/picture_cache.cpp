#include "ui/picture_cache.h"

#include <QBitmap>
#include <QDir>
#include <QFileInfo>
#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "ui/strip_colour.h"

namespace qv {

QPixmap PictureCache::Load(const QString& name) const {
    QPixmap pixmap;
    const int id = packed_ ? PictureId(name.toStdString()) : 0;
    if (const auto bytes = id != 0 ? packed_->Load(id, kResourceType) : std::nullopt) {
        // Read as the format its name says, without asking every image plugin
        // first: that would load them all (JPEG and icons included) at start-up.
        QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
        QBuffer buffer(&data);
        QImageReader reader(&buffer, QFileInfo(name).suffix().toLower().toLatin1());
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) pixmap = QPixmap::fromImage(image);
    }
    if (pixmap.isNull()) pixmap.load(QDir(folder_).filePath(name));
    return pixmap;
}

const QPixmap& PictureCache::Get(const QString& name) {
    auto found = pictures_.find(name);
    if (found != pictures_.end()) return *found;
    const QPixmap pixmap = Load(name);
    if (pixmap.isNull()) missing_.append(name);
    return *pictures_.insert(name, pixmap);
}

const QPixmap& PictureCache::Faded(const QString& name) {
    auto found = faded_.find(name);
    if (found != faded_.end()) return *found;
    // Each pixel two thirds of the way towards the strip colour.
    QImage image = Get(name).toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            auto mix = [](int from, int to) { return (from + 2 * to) / 3; };
            line[x] = qRgb(mix(qRed(pixel), kStripColour.red()), mix(qGreen(pixel), kStripColour.green()),
                           mix(qBlue(pixel), kStripColour.blue()));
        }
    }
    return *faded_.insert(name, QPixmap::fromImage(image));
}

const QPixmap& PictureCache::Transparent(const QString& name) {
    auto found = transparent_.find(name);
    if (found != transparent_.end()) return *found;
    QPixmap pixmap = Get(name);
    if (!pixmap.isNull()) {
        const QColor background = pixmap.toImage().pixelColor(0, 0);
        pixmap.setMask(pixmap.createMaskFromColor(background, Qt::MaskInColor));
    }
    return *transparent_.insert(name, pixmap);
}

}  // namespace qv
