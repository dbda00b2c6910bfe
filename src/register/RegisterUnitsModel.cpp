#include "RegisterUnitsModel.h"

#include "Register.h"

namespace {
// Units read per page as the view scrolls down.
constexpr int kUnitsPage = 200;
} // namespace

QString ActionCaption(TRegisterAction action) {
    switch (action) {
    case raRead:
        return TRegisterUnitsModel::tr("чтение");
    case raBackup:
        return TRegisterUnitsModel::tr("копия перед записью");
    case raWrite:
        return TRegisterUnitsModel::tr("запись");
    case raStore:
        return TRegisterUnitsModel::tr("сохранение во флэш");
    case raRestore:
        return TRegisterUnitsModel::tr("восстановление");
    }
    return QString();
}

QString ResultCaption(const QString& result) {
    static const struct {
        const char* Word;
        const char* Caption;
    } kCaptions[] = {
        {"ok", QT_TRANSLATE_NOOP("TRegisterUnitsModel", "успешно")},
        {"partial", QT_TRANSLATE_NOOP("TRegisterUnitsModel", "частично")},
        {"differs", QT_TRANSLATE_NOOP("TRegisterUnitsModel", "расходится")},
        {"not stored", QT_TRANSLATE_NOOP("TRegisterUnitsModel", "не сохранено")},
        {"failed", QT_TRANSLATE_NOOP("TRegisterUnitsModel", "ошибка")},
        {"interrupted", QT_TRANSLATE_NOOP("TRegisterUnitsModel", "прервано")},
    };
    for (const auto& c : kCaptions)
        if (result == QLatin1String(c.Word))
            return TRegisterUnitsModel::tr(c.Caption);
    return result;
}

QString TimeCaption(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

TRegisterUnitsModel::TRegisterUnitsModel(QObject* parent) : QAbstractTableModel(parent) {}

void TRegisterUnitsModel::Load(TRegister* reg, const QString& filter) {
    beginResetModel();
    FRegister = reg;
    FFilter = filter.trimmed();
    FUnits.clear();
    FAtEnd = reg == nullptr;
    FError.clear();
    endResetModel();
    fetchMore(QModelIndex());
}

const TRegisterUnit* TRegisterUnitsModel::Unit(int row) const {
    return row >= 0 && row < FUnits.size() ? &FUnits[row] : nullptr;
}

int TRegisterUnitsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(FUnits.size());
}

int TRegisterUnitsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ucCount;
}

QVariant TRegisterUnitsModel::data(const QModelIndex& index, int role) const {
    const TRegisterUnit* u = Unit(index.row());
    if (!u || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    switch (index.column()) {
    case ucUnit:
        return u->Identified ? u->Unit : tr("%1 (не опознан)").arg(u->Unit);
    case ucModel:
        return u->Model;
    case ucFirmware:
        return u->Firmware;
    case ucLastSeen:
        return TimeCaption(u->LastSeen);
    case ucLastAction:
        return ActionCaption(u->LastAction) + QStringLiteral(": ") + ResultCaption(u->LastResult);
    default:
        return QVariant();
    }
}

QVariant TRegisterUnitsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ucUnit:
        return tr("IMEI");
    case ucModel:
        return tr("Модель");
    case ucFirmware:
        return tr("Прошивка");
    case ucLastSeen:
        return tr("Последний раз");
    case ucLastAction:
        return tr("Последнее действие");
    default:
        return QVariant();
    }
}

bool TRegisterUnitsModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !FAtEnd;
}

void TRegisterUnitsModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || FAtEnd)
        return;
    TRegisterStore* store = FRegister->Store();
    TUnitQuery query;
    query.Filter = FFilter;
    query.Limit = kUnitsPage;
    if (!FUnits.isEmpty()) {
        query.After = true;
        query.AfterLastSeen = FUnits.last().LastSeen;
        query.AfterUnit = FUnits.last().Unit;
    }
    QVector<TRegisterUnit> page;
    if (!store || !store->Units(query, page)) {
        FError = store ? store->Error() : FRegister->Error();
        FAtEnd = true;
        return;
    }
    FAtEnd = page.size() < kUnitsPage;
    if (page.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(FUnits.size()), int(FUnits.size() + page.size() - 1));
    FUnits += page;
    endInsertRows();
}
