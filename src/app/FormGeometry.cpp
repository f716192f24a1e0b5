#include "app/FormGeometry.h"

#include "base/Strings.h"

#include <algorithm>
#include <cstdlib>

namespace lanescope::app {

namespace {

// A saved form keeps at least this much of itself on the screen.
constexpr int kScreenMargin = 10;
// The caption must stay reachable above the bottom of the screen.
constexpr int kCaptionMargin = 30;

// The lower limit wins when the screen is too small for the range.
int limit(int value, int low, int high) { return std::max(low, std::min(value, high)); }

bool isOffScreen(const Rect& form, const Rect& screen)
{
    return form.left > screen.right() - kScreenMargin || form.right() < screen.left + kScreenMargin ||
           form.top > screen.bottom() - kCaptionMargin || form.bottom() < screen.top + kScreenMargin;
}

// The area the two rectangles share, 0 when they do not meet.
long long overlap(const Rect& a, const Rect& b)
{
    const long long width = std::min(a.right(), b.right()) - std::max(a.left, b.left);
    const long long height = std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

std::string formatGeometry(const FormGeometry& geometry)
{
    const Rect& r = geometry.bounds;
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height) + "," + std::to_string(static_cast<int>(geometry.state));
}

std::optional<FormGeometry> parseGeometry(std::string_view text, const FormGeometry& fallback)
{
    if (base::trimView(text).empty())
        return std::nullopt;
    const Rect& own = fallback.bounds;
    const int defaults[] = {own.left, own.top, own.width, own.height, static_cast<int>(fallback.state)};
    int values[5];
    for (int i = 0; i < 5; ++i) {
        const std::size_t comma = text.find(',');
        values[i] = base::strToIntDef(base::trimRightView(text.substr(0, comma)), defaults[i]);
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    FormGeometry geometry;
    geometry.bounds = {values[0], values[1], values[2] >= 1 ? values[2] : own.width,
                       values[3] >= 1 ? values[3] : own.height};
    geometry.state = values[4] >= 0 && values[4] <= 2 ? static_cast<WindowState>(values[4]) : fallback.state;
    return geometry;
}

Rect centredOn(const Rect& screen, int width, int height)
{
    return {screen.left + (screen.width - width) / 2, screen.top + (screen.height - height) / 2, width,
            height};
}

FormGeometry restoreGeometry(std::string_view saved, const Rect& form, const Rect& screen, bool resizable)
{
    const std::optional<FormGeometry> stored = parseGeometry(saved, {form, WindowState::Normal});
    if (!stored)
        return {centredOn(screen, form.width, form.height), WindowState::Normal};
    Rect bounds = form;
    bounds.left = limit(stored->bounds.left, screen.left, screen.right() - kScreenMargin);
    bounds.top = limit(stored->bounds.top, screen.top, screen.bottom() - kScreenMargin);
    if (resizable) {
        bounds.width = std::min(stored->bounds.width, screen.width - kScreenMargin);
        bounds.height = std::min(stored->bounds.height, screen.height - kScreenMargin);
    }
    if (isOffScreen(bounds, screen))
        bounds = centredOn(screen, bounds.width, bounds.height);
    return {bounds, stored->state};
}

Rect placeForm(Rect bounds, const Rect& workArea, const PlacementSwitches& switches)
{
    if (switches.alwaysInScreen) {
        if (bounds.right() > workArea.right())
            bounds.left = workArea.right() - bounds.width;
        if (bounds.bottom() > workArea.bottom())
            bounds.top = workArea.bottom() - bounds.height;
        bounds.left = std::max(bounds.left, workArea.left);
        bounds.top = std::max(bounds.top, workArea.top);
    }
    if (switches.snapAtScreenBorder) {
        if (std::abs(bounds.left - workArea.left) <= kSnapDistance)
            bounds.left = workArea.left;
        if (std::abs(bounds.top - workArea.top) <= kSnapDistance)
            bounds.top = workArea.top;
        if (std::abs(bounds.right() - workArea.right()) <= kSnapDistance)
            bounds.left = workArea.right() - bounds.width;
        if (std::abs(bounds.bottom() - workArea.bottom()) <= kSnapDistance)
            bounds.top = workArea.bottom() - bounds.height;
    }
    return bounds;
}

FormGeometry openGeometry(std::string_view saved, const Rect& form, const std::vector<ScreenArea>& screens,
                          bool resizable, const PlacementSwitches& switches)
{
    if (screens.empty())
        return {form, WindowState::Normal};
    const ScreenArea* screen = &screens.front();
    bool screenGone = false;
    if (const std::optional<FormGeometry> stored = parseGeometry(saved, {form, WindowState::Normal})) {
        long long most = 0;
        for (const ScreenArea& candidate : screens) {
            if (const long long shared = overlap(stored->bounds, candidate.whole); shared > most) {
                most = shared;
                screen = &candidate;
            }
        }
        screenGone = most == 0;
    }
    FormGeometry placed = restoreGeometry(saved, form, screen->whole, resizable);
    // A maximised form is placed too when its screen is gone, so that it comes back within reach when the
    // user restores it.
    if (screenGone)
        placed.bounds = placeForm(placed.bounds, screen->work, {true, switches.snapAtScreenBorder});
    else if (placed.state != WindowState::Maximized)
        placed.bounds = placeForm(placed.bounds, screen->work, switches);
    return placed;
}

} // namespace lanescope::app
