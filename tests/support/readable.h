#pragma once

#include <QStringList>

class QWidget;

namespace krv::test {

// Fails the running test unless every visible control of the window shows its whole text, stands
// wholly inside its parent (or wholly out of sight) and covers none of its visible siblings; every
// tab bar shows all its tabs whole without scroll arrows; every header section shows its whole
// caption; and a window inside the main window's workspace lies in its visible area (see
// checkInWorkspace). With KRV_SCREENSHOTS set, the window is also saved there as <name>.png.
void checkReadable(QWidget* window, const QString& name);
// What checkReadable finds wrong, one line per fault, each starting with `name`.
QStringList readabilityFaults(QWidget* window, const QString& name);

// Fails the running test unless the window's frame lies wholly inside the visible area of the
// workspace it stands in; a frame larger than that area in one direction must start at its edge
// there, so that as much of it as can be is in view.
void checkInWorkspace(QWidget* window, const QString& name);
// What checkInWorkspace finds wrong: empty, or one line; empty for a window outside a workspace.
QStringList workspaceFaults(QWidget* window, const QString& name);

// The design height in twips of a chip panel layout: keyed by the panel's form name, or "HT531B"
// and "HC913B" for the B-variant layouts; with the status area shown when `statusShown`. 0 for a
// name that is no panel layout.
int panelDesignHeightTwips(const QString& layout, bool statusShown = false);

// The design width of every chip panel, in twips.
inline constexpr int panelDesignWidthTwips = 9810;

// Fails the running test when the panel's window (its frame, title bar included, as the design
// heights count it) is more than 1.1 times the design height or 1.4 times the design width, both
// at the screen's logical dpi.
void checkPanelSize(QWidget* panel, int designHeightTwips);
// What checkPanelSize finds wrong, empty when the panel is within its bounds.
QString panelSizeFault(QWidget* panel, int designHeightTwips);
// The same with the design height of the layout, as panelDesignHeightTwips gives it.
void checkPanelSize(QWidget* panel, const QString& layout, bool statusShown = false);

// Fails the running test when the window's frame (title bar included, as the design counts it) is
// more than 1.15 times the design width or height given in twips, at the screen's logical dpi;
// with the test font of the font variants (KRV_TEST_FONT, KRV_TEST_POINT_SIZE) the bound does not
// apply.
void checkNearDesignSize(QWidget* window, int widthTwips, int heightTwips);
// What a check of the window's frame against its design size finds wrong, with a factor of its
// own for each direction; empty when the window is within its bounds.
QString designSizeFault(QWidget* window, int widthTwips, int heightTwips, double widthFactor,
                        double heightFactor);

} // namespace krv::test
