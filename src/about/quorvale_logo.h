#pragma once

#include <QPixmap>
#include <QSize>

namespace hm {

// The maker's logo, drawn at run time so that the program needs no picture files: a small wall of
// bins beside the name "Quorvale". `devicePixelRatio` keeps it sharp on dense screens.
QPixmap quorvaleLogo(const QSize& size, qreal devicePixelRatio = 1.0);

}  // namespace hm
