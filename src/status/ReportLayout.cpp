#include "ReportLayout.h"

#include "base/TextUtils.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

const QString kHeader = QStringLiteral("+RESP:");

struct TReportRow {
    const char* Name;
    TReportName Kind;
    int Items; // item 0 counted
};

constexpr TReportRow kReports[] = {
    {"DPRM", rnDprm, dpItems}, {"TREP", rnTrep, trItems}, {"SREP", rnSrep, srItems},
    {"SFPT", rnSfpt, sfItems}, {"SNAV", rnSnav, snItems}, {"SGSM", rnSgsm, sgItems},
};

} // namespace

int ReportInteger(const QString& item, int fallback) {
    bool ok = false;
    const int v = item.toInt(&ok, 10);
    return ok ? v : fallback;
}

double ReportNumber(const QString& item) {
    bool ok = false;
    const double v = QLocale::c().toDouble(item, &ok);
    return ok && std::isfinite(v) ? v : std::numeric_limits<double>::quiet_NaN();
}

TReportLine SplitStatusReport(const QString& line) {
    TReportLine report;
    if (!line.startsWith(kHeader))
        return report;
    const QString name = line.mid(kReportHeaderLength, kReportNameLength);
    const TReportRow* known = nullptr;
    for (const TReportRow& row : kReports)
        if (name == QLatin1String(row.Name))
            known = &row;
    if (!known)
        return report;
    const int needed = known->Items;
    QStringList items = SplitList(line);
    // The splitter drops a trailing empty item; a report whose last field is
    // empty (an APN without password) would otherwise be one item short.
    if (line.endsWith(QLatin1Char(',')))
        items.append(QString());
    if (items.size() < needed)
        return report;
    report.Name = name;
    report.Kind = known->Kind;
    report.Items = items;
    return report;
}
