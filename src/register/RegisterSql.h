#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

class QSqlQuery;

enum TSqlDialect { sdSqlite, sdPostgres };

// The first line of a failed statement's error, for messages.
QString SqlErrorText(const QSqlQuery& query);
QString SqlErrorText(const QSqlDatabase& db);

// A text bound as a value, never as NULL (Qt binds a null QString as NULL).
QVariant SqlText(const QString& text);

// Runs one statement without results; false with the error text.
bool ExecSql(QSqlDatabase& db, const QString& sql, QString& error);
// Runs a prepared query; false with the error text.
bool ExecSql(QSqlQuery& query, QString& error);

// A write transaction that rolls back unless committed. SQLite takes the
// write lock at the start (BEGIN IMMEDIATE), so two writers queue on the
// busy time-out instead of failing when the reader turns writer.
class TSqlTransaction {
public:
    TSqlTransaction(QSqlDatabase& db, TSqlDialect dialect);
    ~TSqlTransaction();
    TSqlTransaction(const TSqlTransaction&) = delete;
    TSqlTransaction& operator=(const TSqlTransaction&) = delete;

    bool Begin(QString& error);
    bool Commit(QString& error);

private:
    QSqlDatabase& FDb;
    TSqlDialect FDialect;
    bool FOpen = false;
};
