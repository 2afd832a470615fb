#pragma once
// The window's design fonts are converted by the settings' own helpers; the main window uses them here.
#include "settings/design_fonts.h"

namespace qv::app {

using settings::font_spec_of;
using settings::font_with;

} // namespace qv::app
