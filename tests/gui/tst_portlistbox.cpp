#include "app/PortListBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

TPortListEntry Usb(const char* name, const char* description, quint16 vid, quint16 pid) {
    TPortListEntry e;
    e.Name = QString::fromLatin1(name);
    e.Description = QString::fromLatin1(description);
    e.HasIds = true;
    e.VendorId = vid;
    e.ProductId = pid;
    return e;
}

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

} // namespace

class TestPortListBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        Box = std::make_unique<QComboBox>();
        Box->setEditable(true);
        Box->setInsertPolicy(QComboBox::NoInsert);
        List = new TPortListBox(Box.get());
        Available = true;
        Ports = {Usb("ttyUSB0", "CP2102 USB to UART Bridge", 0x10c4, 0xea60)};
        List->SetSource([this](QList<TPortListEntry>& entries) {
            if (!Available)
                return false;
            entries = Ports;
            return true;
        });
    }
    void cleanup() { Box.reset(); }

    // The item is the port name (picked and stored as such); the row shows more.
    void itemsAreNamesRowsAreLabels() {
        List->Fill();
        QCOMPARE(Items(*Box), QStringList{"ttyUSB0"});
        QCOMPARE(Box->itemData(0, TPortListBox::kLabelRole).toString(),
                 QStringLiteral("ttyUSB0 — CP2102 USB to UART Bridge (10c4:ea60)"));
        Box->setCurrentIndex(0);
        QCOMPARE(Box->currentText(), QStringLiteral("ttyUSB0"));
        QStyleOptionViewItem option;
        option.initFrom(Box->view());
        const QModelIndex index = Box->model()->index(0, 0);
        QVERIFY(Box->view()->itemDelegate()->sizeHint(option, index).width() >
                Box->fontMetrics().horizontalAdvance(QStringLiteral("ttyUSB0 — CP2102")));
    }

    // Plugging in an adapter while the operator types leaves the text alone.
    void refreshKeepsTypedText() {
        List->Fill();
        Box->setEditText(QStringLiteral("/dev/ttyACM"));
        Box->lineEdit()->setCursorPosition(5);
        Ports.prepend(Usb("ttyACM0", "Tracker", 0x1234, 0x0001));
        List->Refresh();
        QCOMPARE(Items(*Box), (QStringList{"ttyACM0", "ttyUSB0"}));
        QCOMPARE(Box->currentText(), QStringLiteral("/dev/ttyACM"));
        QCOMPARE(Box->lineEdit()->cursorPosition(), 5);
        // Unplugged again: gone from the list, the text still stays.
        Ports.removeFirst();
        List->Refresh();
        QCOMPARE(Items(*Box), QStringList{"ttyUSB0"});
        QCOMPARE(Box->currentText(), QStringLiteral("/dev/ttyACM"));
    }

    void noPortListKeepsPreviousItems() {
        List->Fill();
        Available = false;
        Ports.clear();
        List->Fill();
        List->Refresh();
        QCOMPARE(Items(*Box), QStringList{"ttyUSB0"});
    }

    // The list follows the adapters by itself only while it is shown.
    void pollsWhileVisible() {
        List->Fill();
        Ports << Usb("ttyUSB1", "FT232R USB UART", 0x0403, 0x6001);
        QTest::qWait(1500);
        QCOMPARE(Box->count(), 1);
        Box->show();
        QTRY_COMPARE_WITH_TIMEOUT(Box->count(), 2, 5000);
        Box->hide();
        Ports.removeLast();
        QTest::qWait(1500);
        QCOMPARE(Box->count(), 2);
    }

private:
    std::unique_ptr<QComboBox> Box;
    TPortListBox* List = nullptr;
    bool Available = true;
    QList<TPortListEntry> Ports;
};

QTEST_MAIN(TestPortListBox)
#include "tst_portlistbox.moc"
