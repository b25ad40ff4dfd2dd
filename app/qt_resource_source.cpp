#include "app/qt_resource_source.h"

#include <QFile>
#include <QString>

#include "app/resident_pages.h"

namespace qv {

std::optional<std::string> QtResourceSource::Load(int id, std::string_view type) const {
    const QString path = QStringLiteral(":/%1/%2").arg(QString::fromUtf8(type.data(), static_cast<int>(type.size()))).arg(id);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtResourceSource::ReleaseMemory() const {
    for (const std::span<const unsigned char> pack : packs_) DropResidentPages(pack);
}

}  // namespace qv
