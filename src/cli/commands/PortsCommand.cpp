#include "CommandTable.h"
#include "cli/CliOutput.h"
#include "cli/CliText.h"
#include "link/PortListing.h"

#include <QDir>
#include <QJsonObject>

namespace {

QString Check(const TCliOptions& o) {
    return o.Files.isEmpty() ? QString() : TCli::tr("'ports' не принимает файлов");
}

int Run(const TCliOptions& options) {
    const QList<TPortListEntry> ports = ListPortEntries();
    const QDir byIdFolder{QString::fromLatin1(kByIdFolder)};
    for (const TPortListEntry& p : ports) {
        const QString usb = p.HasIds ? UsbIdText(p.VendorId, p.ProductId) : QString();
        const QString byId = p.ById.isEmpty() ? QString() : byIdFolder.filePath(p.ById);
        if (options.Json) {
            QJsonObject o;
            o.insert(QStringLiteral("port"), p.Location);
            o.insert(QStringLiteral("name"), p.Name);
            o.insert(QStringLiteral("description"), p.Description);
            o.insert(QStringLiteral("manufacturer"), p.Manufacturer);
            o.insert(QStringLiteral("usb"), usb);
            o.insert(QStringLiteral("serial"), p.SerialNumber);
            o.insert(QStringLiteral("by_id"), byId);
            PutText(stdout, QString::fromUtf8(JsonLine(o)));
            continue;
        }
        QStringList parts{p.Location};
        if (!p.Description.isEmpty())
            parts << p.Description;
        if (!p.Manufacturer.isEmpty())
            parts << p.Manufacturer;
        if (!usb.isEmpty())
            parts << QStringLiteral("usb ") + usb;
        if (!p.SerialNumber.isEmpty())
            parts << QStringLiteral("serial ") + p.SerialNumber;
        if (!byId.isEmpty())
            parts << byId;
        PutText(stdout, parts.join(QStringLiteral("  ")) + QLatin1Char('\n'));
    }
    if (ports.isEmpty() && !options.Json)
        PutText(stderr, QStringLiteral("velmora-cli: ") +
                            TCli::tr("последовательные порты не найдены") + QLatin1Char('\n'));
    return ceSuccess;
}

} // namespace

TCliCommand PortsCommand() {
    TCliCommand c(
        "ports", "ports [--json]",
        QT_TRANSLATE_NOOP(
            "TCli",
            "Перечисляет все имеющиеся последовательные порты с тем, что о них знает система "
            "(описание, производитель, USB vendor:product, серийный номер), и их постоянным "
            "именем в /dev/serial/by-id, где оно есть."));
    c.Options = {JsonOption()};
    c.Check = Check;
    c.Run = Run;
    return c;
}
