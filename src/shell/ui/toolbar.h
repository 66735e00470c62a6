// Toolbar 9 of the main window: the buttons of the toolbar table with their
// tooltips and images, small or large by "High DPI". Each button posts its
// item like the menu entry of the same number.
#pragma once

#include <QImage>
#include <functional>
#include <span>
#include <string_view>

#include "shell/toolbar_model.h"

class QAction;
class QToolBar;

namespace vendle {

class App;

// Where the buttons' PNG files come from: the images compiled in, or a
// test's own.
using IconSource = std::function<std::span<const unsigned char>(std::string_view name, IconSize size)>;

// Fills `bar` with the 30 buttons and 7 separators. A button whose image is
// missing or cannot be decoded has no image (it shows its tooltip as text).
void BuildToolbar(App& app, QToolBar* bar, const IconSource& icons = EmbeddedIconPng);

// The image of a PNG file; a null image when it cannot be decoded.
QImage ToolbarImage(std::span<const unsigned char> png);

// True for the actions of toolbar buttons (as opposed to menu entries).
bool IsToolbarAction(const QAction* action);

}  // namespace vendle
