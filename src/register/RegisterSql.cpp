#include "RegisterSql.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
QString FirstLine(const QSqlError& error) {
    QString text = error.text().trimmed();
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    if (end >= 0)
        text.truncate(end);
    return text.isEmpty() ? error.nativeErrorCode() : text;
}
} // namespace

QString SqlErrorText(const QSqlQuery& query) {
    return FirstLine(query.lastError());
}

QString SqlErrorText(const QSqlDatabase& db) {
    return FirstLine(db.lastError());
}

QVariant SqlText(const QString& text) {
    return text.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(text);
}

bool ExecSql(QSqlDatabase& db, const QString& sql, QString& error) {
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    error = SqlErrorText(query);
    return false;
}

bool ExecSql(QSqlQuery& query, QString& error) {
    if (query.exec())
        return true;
    error = SqlErrorText(query);
    return false;
}

TSqlTransaction::TSqlTransaction(QSqlDatabase& db, TSqlDialect dialect)
    : FDb(db), FDialect(dialect) {}

TSqlTransaction::~TSqlTransaction() {
    // A connection the server dropped has nothing left to roll back.
    if (FOpen && FDb.isOpen()) {
        QString ignored;
        ExecSql(FDb, QStringLiteral("ROLLBACK"), ignored);
    }
}

bool TSqlTransaction::Begin(QString& error) {
    FOpen = ExecSql(
        FDb, FDialect == sdSqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"),
        error);
    return FOpen;
}

bool TSqlTransaction::Commit(QString& error) {
    if (!ExecSql(FDb, QStringLiteral("COMMIT"), error))
        return false; // the destructor rolls back what is left
    FOpen = false;
    return true;
}
