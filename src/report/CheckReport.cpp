#include "CheckReport.h"

#include "base/Translate.h"
#include "base/Workplace.h"
#include "check/StatusHistory.h"
#include "report/CheckCharts.h"
#include "status/MapAddress.h"
#include "status/StatusParser.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

constexpr TTrContext Tr("TCheckReport");

constexpr int kPdfResolution = 300;
constexpr qreal kPageMarginMm = 15;
constexpr int kBodyPointSize = 10;
constexpr int kHeadingPointSize = 14;
// The plots are laid out at screen scale, then drawn over the page.
constexpr qreal kScreenDpi = 96;
const QString kTimeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");

QString Esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString Row(const QString& caption, const QString& value) {
    return QStringLiteral("<tr><td>%1</td><td><b>%2</b></td></tr>")
        .arg(Esc(caption), Esc(value.isEmpty() ? QStringLiteral("—") : value));
}

QString StateColor(TCriterionState state) {
    switch (state) {
    case csPassed:
        return QStringLiteral("#1a7f37");
    case csFailed:
        return QStringLiteral("#c62828");
    case csWaiting:
    case csOff:
        break;
    }
    return QStringLiteral("#6b6b6b");
}

QString ReportHtml(const TCheckReportData& d) {
    QString h;
    h += QStringLiteral("<h2>%1</h2>").arg(Esc(Tr("Протокол проверки установки трекера")));
    h += QStringLiteral("<table cellspacing=0 cellpadding=3>");
    h += Row(Tr("Модель"), d.Identity.Model);
    h += Row(Tr("ID блока"), d.Identity.UnitId);
    h += Row(Tr("IMEI"), d.Identity.Imei);
    h += Row(Tr("Версия ПО"), d.Identity.Firmware);
    h += Row(Tr("Госномер"), d.Plate);
    h += Row(Tr("VIN"), d.Vin);
    h += Row(Tr("Установщик"), d.Installer);
    h += Row(Tr("Начало проверки"), d.Started.toString(kTimeFormat));
    h += Row(Tr("Конец проверки"), d.Finished.toString(kTimeFormat));
    h += Row(Tr("Стенд"), d.Bench);
    h += Row(Tr("Оператор"), d.Operator);
    h += QStringLiteral("</table>");

    h += QStringLiteral("<h3>%1</h3>").arg(Esc(Tr("Критерии")));
    h += QStringLiteral("<table border=1 cellspacing=0 cellpadding=4 width=100%><tr><th>%1</th>"
                        "<th>%2</th><th>%3</th></tr>")
             .arg(Esc(Tr("Критерий")), Esc(Tr("Состояние")), Esc(Tr("Значение")));
    for (const TCriterionResult& r : d.Results)
        h += QStringLiteral("<tr><td>%1</td><td><font color=\"%2\"><b>%3</b></font></td>"
                            "<td>%4</td></tr>")
                 .arg(Esc(CriterionName(r.Id)), StateColor(r.State),
                      Esc(CriterionStateText(r.State)), Esc(r.Value));
    h += QStringLiteral("</table>");

    const QString verdictColor = d.Verdict.Passed ? StateColor(csPassed) : StateColor(csFailed);
    h += QStringLiteral("<h2>%1: <font color=\"%2\">%3</font></h2>")
             .arg(Esc(Tr("Заключение")), verdictColor, Esc(VerdictText(d.Verdict.Passed)));
    if (!d.Verdict.Reasons.isEmpty()) {
        h += QStringLiteral("<ul>");
        for (const QString& reason : d.Verdict.Reasons)
            h += QStringLiteral("<li>%1</li>").arg(Esc(reason));
        h += QStringLiteral("</ul>");
    }

    h += QStringLiteral("<h3>%1</h3>").arg(Esc(Tr("Последнее местоположение")));
    if (d.Position.HasPosition()) {
        const QString lat = LatitudeText(d.Position.Latitude);
        const QString lon = LongitudeText(d.Position.Longitude);
        const QUrl url = MapSearchUrl(lat, lon);
        h += QStringLiteral("<p>%1, %2<br><a href=\"%3\">%4</a></p>")
                 .arg(Esc(lat), Esc(lon), Esc(QString::fromUtf8(url.toEncoded())),
                      Esc(MapSearchAddress(lat, lon)));
    } else {
        h += QStringLiteral("<p>%1</p>").arg(Esc(Tr("координаты не получены")));
    }
    return h;
}

void DrawText(QPainter& painter, QPdfWriter& writer, const TCheckReportData& data) {
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    QFont font = doc.defaultFont();
    font.setPointSize(kBodyPointSize);
    doc.setDefaultFont(font);
    doc.setHtml(ReportHtml(data));
    const QSizeF page(writer.width(), writer.height());
    doc.setPageSize(page);
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page.height() * i);
        doc.drawContents(&painter, QRectF(QPointF(0, page.height() * i), page));
        painter.restore();
    }
}

void DrawPlots(QPainter& painter, QPdfWriter& writer, const TCheckReportData& data) {
    QFont font = painter.font();
    font.setPointSize(kHeadingPointSize);
    font.setBold(true);
    painter.setFont(font);
    const QString heading = Tr("Графики") + QStringLiteral(" — IMEI ") + data.Identity.Imei;
    const qreal headingHeight = painter.fontMetrics().height() * 2;
    painter.drawText(QRectF(0, 0, writer.width(), headingHeight), Qt::AlignLeft | Qt::AlignTop,
                     heading);

    const QRectF target(0, headingHeight, writer.width(), writer.height() - headingHeight);
    const qreal toScreen = kScreenDpi / writer.resolution();
    TCheckCharts charts;
    charts.SetLayoutSize(target.size() * toScreen);
    charts.Update(*data.History);
    painter.setRenderHint(QPainter::Antialiasing);
    charts.render(&painter, target, charts.sceneRect());
}

} // namespace

TCheckReportData CheckReportData(const TInstallCheck& check, const TStatusHistory& history) {
    TCheckReportData d;
    d.Identity = check.Identity();
    d.Results = check.Results();
    d.Verdict = check.Verdict();
    d.Position = check.LastPosition();
    d.History = &history;
    if (check.StartMs() >= 0) {
        d.Started = QDateTime::fromMSecsSinceEpoch(check.StartMs());
        d.Finished = QDateTime::fromMSecsSinceEpoch(check.LastMs());
    }
    const TWorkplace workplace = CurrentWorkplace();
    d.Bench = workplace.Bench;
    d.Operator = workplace.Operator;
    return d;
}

bool WriteCheckReport(const QString& path, const TCheckReportData& data, QString* error) {
    const auto fail = [&](const QString& why) {
        if (error)
            *error = Tr("Не могу записать отчёт %1: %2").arg(path, why);
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(Tr("Протокол проверки установки трекера"));
        writer.setCreator(QCoreApplication::applicationName());
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                        QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(Tr("ошибка PDF"));
        DrawText(painter, writer, data);
        if (data.History) {
            writer.newPage();
            DrawPlots(painter, writer, data);
        }
        painter.end();
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
