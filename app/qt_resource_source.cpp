#include "app/qt_resource_source.h"

#include <QByteArray>
#include <QResource>
#include <QString>

#include "app/resident_pages.h"

namespace qv {

std::optional<std::string> QtResourceSource::Load(int id, std::string_view type) const {
    const QResource resource(
        QStringLiteral(":/%1/%2").arg(QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size()))).arg(id));
    // A folder has no bytes of its own.
    if (!resource.isValid() || resource.data() == nullptr) return std::nullopt;
    // Packed uncompressed: the bytes are copied once, from where they lie in the program.
    if (resource.compressionAlgorithm() == QResource::NoCompression) {
        return std::string(reinterpret_cast<const char*>(resource.data()), static_cast<std::size_t>(resource.size()));
    }
    const QByteArray bytes = resource.uncompressedData();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtResourceSource::ReleaseMemory() const {
    for (const std::span<const unsigned char> pack : packs_) DropResidentPages(pack);
}

}  // namespace qv
