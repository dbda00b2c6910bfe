#include "RegisterLocation.h"

#include "base/Translate.h"
#include "settings/InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

constexpr int kPortMax = 65535;

constexpr TTrContext Tr("TRegisterLocation");

// The text as typed, with everything between "user:" and the last "@"
// masked (a password may hold "/" or "@" the URL syntax does not allow).
QString MaskedUrlText(const QString& text) {
    QString masked = text;
    const qsizetype start = masked.indexOf(QLatin1String("://")) + 3;
    const qsizetype at = masked.lastIndexOf(QLatin1Char('@'));
    if (start >= 3 && at > start) {
        const qsizetype colon = masked.indexOf(QLatin1Char(':'), start);
        if (colon >= 0 && colon < at)
            masked.replace(colon + 1, at - colon - 1, QStringLiteral("*"));
    }
    static const QRegularExpression queryPassword(QStringLiteral("([?&]password=)[^&#]*"),
                                                  QRegularExpression::CaseInsensitiveOption);
    masked.replace(queryPassword, QStringLiteral("\\1*"));
    return masked;
}

// A libpq connection-string value, quoted when it has to be.
QString ConnInfoValue(const QString& value) {
    static const QRegularExpression plain(QStringLiteral("^[^\\s'\\\\;]+$"));
    if (plain.match(value).hasMatch())
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool ParsePostgresUrl(const QString& text, TRegisterLocation& location, QString& error) {
    const QString shown = MaskedUrlText(text);
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid()) {
        error = Tr("Неверный адрес базы журнала: %1").arg(shown);
        return false;
    }
    location = TRegisterLocation();
    location.Kind = rkPostgres;
    location.Scheme = url.scheme().toLower();
    location.Host = url.host(QUrl::FullyDecoded);
    location.Port = url.port(-1);
    location.User = url.userName(QUrl::FullyDecoded);
    location.Password = url.password(QUrl::FullyDecoded);
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    location.DatabaseName = path;
    if (location.Port == 0 || location.Port > kPortMax) {
        error = Tr("Неверный порт в адресе базы журнала: %1").arg(shown);
        return false;
    }
    static const QRegularExpression keyword(QStringLiteral("^[a-z_]+$"));
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto& item : items) {
        const QString key = item.first;
        if (!keyword.match(key).hasMatch()) {
            error = Tr("Неверный параметр в адресе базы журнала: %1").arg(shown);
            return false;
        }
        if (key == QLatin1String("password"))
            location.Password = item.second;
        else if (key == QLatin1String("dbname") && location.DatabaseName.isEmpty())
            location.DatabaseName = item.second;
        else if (key == QLatin1String("host") && location.Host.isEmpty())
            location.Host = item.second;
        else if (key == QLatin1String("user") && location.User.isEmpty())
            location.User = item.second;
        else
            location.Options << key + QLatin1Char('=') + ConnInfoValue(item.second);
    }
    if (location.DatabaseName.isEmpty() || location.DatabaseName.contains(QLatin1Char('/'))) {
        error = Tr("В адресе базы журнала нет имени базы (postgresql://пользователь@сервер:порт/"
                   "база): %1")
                    .arg(shown);
        return false;
    }
    return true;
}

} // namespace

QString TRegisterLocation::Display() const {
    if (Kind == rkSqlite)
        return QDir::toNativeSeparators(FilePath);
    QString text = Scheme + QStringLiteral("://");
    if (!User.isEmpty() || !Password.isEmpty()) {
        text += QString::fromLatin1(QUrl::toPercentEncoding(User));
        if (!Password.isEmpty())
            text += QStringLiteral(":*");
        text += QLatin1Char('@');
    }
    if (Host.contains(QLatin1Char(':')))
        text += QLatin1Char('[') + Host + QLatin1Char(']');
    else if (!Host.startsWith(QLatin1Char('/')))
        text += Host;
    if (Port > 0)
        text += QLatin1Char(':') + QString::number(Port);
    text += QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(DatabaseName));
    QStringList query = Options;
    if (Host.startsWith(QLatin1Char('/')))
        query.prepend(QStringLiteral("host=") + Host);
    if (!query.isEmpty())
        text += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return text;
}

bool ParseRegisterLocation(const QString& text, TRegisterLocation& location, QString& error) {
    const QString value = text.trimmed();
    if (value.isEmpty()) {
        error = Tr("Не указано, где вести журнал трекеров");
        return false;
    }
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*)://"));
    const QRegularExpressionMatch match = scheme.match(value);
    if (!match.hasMatch()) {
        QString path = value;
        if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
            path.replace(0, 1, QDir::homePath());
        location = SqliteLocation(QDir::cleanPath(QDir::fromNativeSeparators(path)));
        return true;
    }
    const QString name = match.captured(1).toLower();
    if (name != QLatin1String("postgresql") && name != QLatin1String("postgres")) {
        error = Tr("Журнал трекеров ведётся в файле SQLite (путь) или в базе PostgreSQL "
                   "(postgresql://...), а не %1://")
                    .arg(match.captured(1));
        return false;
    }
    return ParsePostgresUrl(value, location, error);
}

TRegisterLocation SqliteLocation(const QString& filePath) {
    TRegisterLocation location;
    location.Kind = rkSqlite;
    location.FilePath = filePath;
    return location;
}

QString DefaultRegisterFile(bool installed, const QString& programFolder,
                            const QString& userDataRoot) {
    const QString name = QString::fromLatin1(kRegisterFileName);
    if (!installed || userDataRoot.isEmpty())
        return QDir(programFolder).filePath(name);
    return QDir(QDir(userDataRoot).filePath(QLatin1String(kRegisterDataSubfolder))).filePath(name);
}

QString ProgramRegisterFile() {
    return DefaultRegisterFile(
        ProgramPaths().Installed, QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
