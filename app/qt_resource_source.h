#pragma once

#include "course/resources.h"

namespace qv {

// The resources packed into the executable with Qt's resource system, under
// ":/<type>/<id>".
class QtResourceSource : public ResourceSource {
public:
    std::optional<std::string> Load(int id, std::string_view type) const override;
};

}  // namespace qv
