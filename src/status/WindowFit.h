#pragma once

#include <QSize>

// The size a window takes when its content wants `wanted` and the screen
// leaves `room`: the content size when it fits; otherwise cut to the room,
// with the width (height) grown by one scroll bar where the height (width)
// had to be cut, so the bar does not cover the content it scrolls.
QSize FitWindowSize(const QSize& wanted, const QSize& room, int scrollBarExtent);
