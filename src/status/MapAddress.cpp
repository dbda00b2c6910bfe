#include "MapAddress.h"

QString MapSearchAddress(const QString& latitude, const QString& longitude) {
    return QLatin1String(kMapSearchAddress) + latitude + QLatin1Char(',') + longitude;
}

QUrl MapSearchUrl(const QString& latitude, const QString& longitude) {
    return QUrl(MapSearchAddress(latitude, longitude), QUrl::TolerantMode);
}
