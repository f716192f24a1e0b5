#pragma once

#include "app/FormGeometry.h"

#include <string_view>

class QWidget;

namespace lanescope::ui {

/**
 * Where the form opens from its saved text, over the screens of the desktop (app::openGeometry): on the
 * screen it was saved on, or within reach on the primary screen when that screen is gone.
 */
app::FormGeometry openingGeometry(std::string_view saved, const QWidget& form, bool resizable,
                                  const app::PlacementSwitches& switches = {});

} // namespace lanescope::ui
