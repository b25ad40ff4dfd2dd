#pragma once

#include <span>
#include <utility>
#include <vector>

#include "course/resources.h"

namespace qv {

// The resources packed into the executable with Qt's resource system, under
// ":/<type>/<id>". `packs` are the packed bytes (see packed_bytes.h), whose
// pages ReleaseMemory gives back.
class QtResourceSource : public ResourceSource {
public:
    explicit QtResourceSource(std::vector<std::span<const unsigned char>> packs)
        : packs_(std::move(packs)) {}
    std::optional<std::string> Load(int id, std::string_view type) const override;
    void ReleaseMemory() const override;

private:
    std::vector<std::span<const unsigned char>> packs_;
};

}  // namespace qv
