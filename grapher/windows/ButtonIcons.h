#pragma once
// Pictures of the graph window's buttons that the style does not offer, drawn at 1x and 2x so
// they stay sharp on high-density screens.
#include <QIcon>

namespace ButtonIcons {

QIcon zoomIn();
QIcon zoomOut();
QIcon calculator();
QIcon settings();

} // namespace ButtonIcons
