#include "shell/ui/toolbar.h"

#include <QAction>
#include <QToolButton>
#include <QApplication>
#include <cstring>
#include <QIcon>
#include <QPixmap>
#include <QToolBar>
#include <QVariant>

#include "platform/png_image.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {
constexpr const char* kToolbarButton = "vendleToolbarButton";
}  // namespace

QImage ToolbarImage(std::span<const unsigned char> png) {
  const std::optional<RgbaImage> decoded = DecodePng(png);
  if (!decoded) return QImage();
  QImage image(decoded->width, decoded->height, QImage::Format_RGBA8888);
  for (int y = 0; y < decoded->height; ++y)
    std::memcpy(image.scanLine(y), decoded->rgba.data() + static_cast<std::size_t>(y) * decoded->width * 4,
                static_cast<std::size_t>(decoded->width) * 4);
  return image;
}

bool IsToolbarAction(const QAction* action) { return action && action->property(kToolbarButton).toBool(); }

void BuildToolbar(App& app, QToolBar* bar, const IconSource& icons) {
  if (!bar) return;
  const IconSize size = app.settings().highDpi != 0 ? IconSize::Large : IconSize::Small;
  const int side = static_cast<int>(size);
  bar->setIconSize(QSize(side, side));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // The bar keeps the system's colours, not the black around the editors.
  QPalette own = QApplication::palette();
  own.setResolveMask(~QPalette::ResolveMask(0));
  bar->setPalette(own);
  bar->setAutoFillBackground(true);
  for (const ToolbarEntry& e : kToolbar) {
    if (e.separator) {
      bar->addSeparator();
      continue;
    }
    const QString tooltip = QString::fromLatin1(e.tooltip);
    auto* a = new QAction(tooltip, bar);
    a->setData(+e.item);
    a->setProperty(kToolbarButton, true);
    a->setToolTip(tooltip);
    const QImage image = icons ? ToolbarImage(icons(e.icon, size)) : QImage();
    if (!image.isNull()) a->setIcon(QIcon(QPixmap::fromImage(image)));
    bar->addAction(a);
    app.toolkit().registerItem(+e.item, a);
  }
  bar->setAccessibleName(QStringLiteral("Toolbar"));
  // The button that shows the buttons a narrow window has no room for.
  if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
    more->setAccessibleName(QStringLiteral("More buttons"));
}

}  // namespace vendle
