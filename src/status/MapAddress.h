#pragma once

#include <QString>
#include <QUrl>

// The map service's search page; the query carries "latitude,longitude".
constexpr char kMapSearchAddress[] = "https://maps.yandex.ru/?text=";

// The search address for a position, the coordinates exactly as the status
// window shows them (degree sign and apostrophe included, not encoded).
QString MapSearchAddress(const QString& latitude, const QString& longitude);
// The same address as a link a browser takes.
QUrl MapSearchUrl(const QString& latitude, const QString& longitude);
