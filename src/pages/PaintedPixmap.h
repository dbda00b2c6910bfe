#pragma once

#include <QPixmap>

#include <functional>

class QPainter;

// A square picture of side pixels drawn by paint on a transparent ground,
// with smooth edges and no outline to start with: the windows draw their
// few pictures instead of carrying image files.
QPixmap PaintPixmap(int side, const std::function<void(QPainter&)>& paint);
