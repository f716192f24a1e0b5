#include "ui/FormPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <vector>

namespace lanescope::ui {

namespace {

app::Rect rectOf(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

// The desktop's screens, the primary one first.
std::vector<app::ScreenArea> screenAreas()
{
    std::vector<app::ScreenArea> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        areas.push_back({rectOf(primary->geometry()), rectOf(primary->availableGeometry())});
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            areas.push_back({rectOf(screen->geometry()), rectOf(screen->availableGeometry())});
    return areas;
}

} // namespace

app::FormGeometry openingGeometry(std::string_view saved, const QWidget& form, bool resizable,
                                  const app::PlacementSwitches& switches)
{
    return app::openGeometry(saved, {0, 0, form.width(), form.height()}, screenAreas(), resizable, switches);
}

} // namespace lanescope::ui
