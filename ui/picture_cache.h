#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include "course/resources.h"

namespace qv {

// Interface pictures, each decoded once: from the copy packed into the
// program when there is one (it is already in memory), else from the
// "Graphics" folder. A missing or damaged picture gives an empty pixmap and
// is remembered, so the window still works and can say which file is missing.
class PictureCache {
public:
    explicit PictureCache(QString graphicsFolder, const ResourceSource* packed = nullptr)
        : folder_(std::move(graphicsFolder)), packed_(packed) {}

    const QPixmap& Get(const QString& name);
    // The picture drawn faded, for a button that has no disabled picture of its own.
    const QPixmap& Faded(const QString& name);
    // The picture with its background, the colour of its top-left pixel,
    // see-through: for a picture that lies over others.
    const QPixmap& Transparent(const QString& name);
    QStringList missing() const { return missing_; }
    const QString& folder() const { return folder_; }

private:
    QPixmap Load(const QString& name) const;

    QString folder_;
    const ResourceSource* packed_;
    QHash<QString, QPixmap> pictures_;
    QHash<QString, QPixmap> faded_;
    QHash<QString, QPixmap> transparent_;
    QStringList missing_;
};

}  // namespace qv
