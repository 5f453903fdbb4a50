#pragma once
// Pictures of the graph window's buttons that the style does not offer (or offers in a shape
// that reads wrongly when small), drawn afresh at each size so they stay sharp at every size
// and on high-density screens.
#include <QIcon>

namespace ButtonIcons {

QIcon zoomIn();
QIcon zoomOut();
QIcon calculator();
QIcon settings();
QIcon help();

} // namespace ButtonIcons
