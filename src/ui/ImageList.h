#pragma once

#include <QIcon>
#include <QPixmap>

/**
 * The main window's one image list: the command and tree images (indices 0 to 20), then the flags and the
 * badges of regional associations in the order of the browser's club image codes.
 */
namespace lanescope::ui {

/** Index of the first flag ("SUI"); the codes of browser::ClubImages follow in their order. */
int firstMapImageIndex();
/** Number of images in the list. */
int imageCount();
/** The image as a tool-bar and menu icon; a null icon outside the list. */
QIcon actionIcon(int index);
/** The image as a 16 x 16 tree image (flags centred on a transparent ground); null outside the list. */
QPixmap treeImage(int index);
/** The program logo at the given size. */
QPixmap logoImage(const QSize& size);

} // namespace lanescope::ui
