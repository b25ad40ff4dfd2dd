#pragma once

// What every window of the program shares: the pictures of the skin, the
// cursor the hover timers read, picture buttons and their caption labels,
// the window outlines. Each lives in its own header; this one gathers them.
// The skin's fonts and colours are in "ui/look.h".

#include "ui/clickable_label.h"
#include "ui/cursor_source.h"
#include "ui/picture_button.h"
#include "ui/picture_cache.h"
#include "ui/strip_colour.h"
#include "ui/window_outline.h"
