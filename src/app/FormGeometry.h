#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** Saving, restoring and placing the windows of the program, as plain arithmetic over rectangles. */
namespace lanescope::app {

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

enum class WindowState
{
    Normal = 0,
    Minimized = 1,
    Maximized = 2,
};

/** A form's normal (not maximised) bounds and its window state, as kept in the settings file. */
struct FormGeometry
{
    Rect bounds;
    WindowState state = WindowState::Normal;
    bool operator==(const FormGeometry&) const = default;
};

/** Distance in pixels within which a form edge snaps onto the screen border. */
inline constexpr int kSnapDistance = 20;

/** "left,top,width,height,state", the value under "Windows"/form name. */
std::string formatGeometry(const FormGeometry& geometry);

/**
 * Reads "left,top,width,height,state". Nothing for empty text. A field that is missing or cannot be read, a
 * width or height below 1 and a state other than 0, 1 or 2 take the value of the fallback.
 */
std::optional<FormGeometry> parseGeometry(std::string_view text, const FormGeometry& fallback);

/** The rectangle of the size centred on the screen. */
Rect centredOn(const Rect& screen, int width, int height);

/**
 * Where a form opens, from its saved text. Without saved text the form keeps its size, centred on the screen.
 * Otherwise the position is limited to the screen less 10 pixels, a resizable form takes the saved size
 * limited to the screen less 10 pixels (others keep their own), a form that would still lie off the screen is
 * centred, and the saved window state applies.
 */
FormGeometry restoreGeometry(std::string_view saved, const Rect& form, const Rect& screen, bool resizable);

/** The placement switches of a form. */
struct PlacementSwitches
{
    bool alwaysInScreen = false;
    bool snapAtScreenBorder = true;
};

/**
 * The bounds after a move or resize of a form that is not maximised. The work area is the screen without the
 * task bar. Keeping in the screen moves the form left and up until it ends inside, then onto the left and top
 * edges; snapping puts an edge within kSnapDistance of a border onto that border.
 */
Rect placeForm(Rect bounds, const Rect& workArea, const PlacementSwitches& switches);

/** One screen of the desktop: its whole area and its work area (the screen without task bars). */
struct ScreenArea
{
    Rect whole;
    Rect work;
};

/**
 * Where a form opens on a desktop of one or more screens, the primary screen first. The saved bounds choose
 * the screen they overlap most, and restoreGeometry applies on it; without saved text, or with no screen,
 * the primary screen is taken. A form that is not maximised is then placed in that screen's work area by
 * its switches. Saved bounds that overlap no screen (their monitor is gone) open on the primary screen and
 * are moved wholly inside its work area, maximised or not, so the window never opens out of reach.
 */
FormGeometry openGeometry(std::string_view saved, const Rect& form, const std::vector<ScreenArea>& screens,
                          bool resizable, const PlacementSwitches& switches);

} // namespace lanescope::app
