#pragma once

// The bytes of the two packs compiled into the program (the course, and the
// interface pictures), as Qt's resource compiler laid them out; defined by
// the files the build generates around the packs.

#include <span>

namespace qv {

std::span<const unsigned char> PackedCourseBytes();
std::span<const unsigned char> PackedPictureBytes();

}  // namespace qv
