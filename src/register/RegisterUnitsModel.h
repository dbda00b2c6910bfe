#pragma once

#include "RegisterEvent.h"

#include <QAbstractTableModel>
#include <QVector>

class TRegister;

// The register's units, newest first, fetched a page at a time as the view
// scrolls, so a workshop's hundred thousand units open at once.
class TRegisterUnitsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn : int { ucUnit, ucModel, ucFirmware, ucLastSeen, ucLastAction, ucCount };

    explicit TRegisterUnitsModel(QObject* parent = nullptr);

    // Starts over with the register and the filter (IMEI, model, firmware).
    void Load(TRegister* reg, const QString& filter);
    const TRegisterUnit* Unit(int row) const;
    // Why the last page could not be read; empty when it could.
    QString Error() const { return FError; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    TRegister* FRegister = nullptr;
    QString FFilter;
    QVector<TRegisterUnit> FUnits;
    bool FAtEnd = true;
    QString FError;
};

// What people read for the stored words.
QString ActionCaption(TRegisterAction action);
QString ResultCaption(const QString& result);
// Local time, to the second.
QString TimeCaption(const QDateTime& time);
