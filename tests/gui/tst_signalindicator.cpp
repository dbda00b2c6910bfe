#include "status/SignalIndicator.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

constexpr int W = kSignalIndicatorWidth;
constexpr int H = kSignalIndicatorHeight;
const QColor kBackground(200, 210, 220);

QImage Render(int level) {
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(Qt::green); // anything the painter leaves untouched shows up
    QPainter p(&img);
    PaintSignalIndicator(p, W, H, level, kBackground);
    return img;
}

bool Black(const QImage& img, int x, int y) {
    return img.pixelColor(x, y) == QColor(Qt::black);
}

QString Dump(const QImage& img) {
    QString s;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x)
            s += Black(img, x, y) ? QLatin1Char('#') : QLatin1Char('.');
        s += QLatin1Char('\n');
    }
    return s;
}

} // namespace

class TestSignalIndicator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void levelFromText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("level");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("invalid") << "2x" << 0;
        QTest::newRow("negative") << "-4" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("middle") << "15" << 15;
        QTest::newRow("full scale") << "31" << 31;
        QTest::newRow("unknown 99 draws full") << "99" << 31;
    }
    void levelFromText() {
        QFETCH(QString, text);
        QFETCH(int, level);
        QCOMPARE(SignalLevel(text), level);
    }

    void everyLevelHasTheOutlineAndNoForeignPixels_data() {
        QTest::addColumn<int>("level");
        for (int level : {0, 1, 15, 31})
            QTest::addRow("%d", level) << level;
    }
    void everyLevelHasTheOutlineAndNoForeignPixels() {
        QFETCH(int, level);
        const QImage img = Render(level);
        for (int x = 0; x < W; ++x) {
            QVERIFY2(Black(img, x, 0) && Black(img, x, H - 1), qPrintable(Dump(img)));
        }
        for (int y = 0; y < H; ++y)
            QVERIFY2(Black(img, 0, y) && Black(img, W - 1, y), qPrintable(Dump(img)));
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                QVERIFY(Black(img, x, y) || img.pixelColor(x, y) == kBackground);
    }

    void levelZeroDrawsOnlyTheOutline() {
        const QImage img = Render(0);
        for (int y = 1; y < H - 1; ++y)
            for (int x = 1; x < W - 1; ++x)
                QVERIFY2(!Black(img, x, y), qPrintable(Dump(img)));
    }

    void wedgeEndsAtTheLevelWithMarksBelowIt_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("edgeX");           // closing line; W: off the area
        QTest::addColumn<int>("edgeTop");         // H - y
        QTest::addColumn<QList<int>>("marks");    // columns of the marks
        QTest::addColumn<QList<int>>("markTops"); // H - yk
        // 15/31 of 53 x 17 is 25.6 x 8.2; marks at 5 and 10 units.
        QTest::newRow("15") << 15 << 26 << 9 << QList<int>{9, 17} << QList<int>{14, 12};
        // 99 is clamped to 31: the full wedge and all six marks.
        QTest::newRow("99") << 99 << 53 << 0 << QList<int>{9, 17, 26, 34, 43, 51}
                            << QList<int>{14, 12, 9, 6, 3, 1};
        // A mark exactly at the level is not drawn.
        QTest::newRow("10") << 10 << 17 << 12 << QList<int>{9} << QList<int>{14};
    }
    void wedgeEndsAtTheLevelWithMarksBelowIt() {
        QFETCH(int, level);
        QFETCH(int, edgeX);
        QFETCH(int, edgeTop);
        QFETCH(QList<int>, marks);
        QFETCH(QList<int>, markTops);
        const QImage img = Render(level);
        const QString dump = Dump(img);
        if (edgeX < W - 1) {
            for (int y = edgeTop; y < H - 1; ++y)
                QVERIFY2(Black(img, edgeX, y), qPrintable(dump));
            // Nothing right of the closing line.
            for (int x = edgeX + 1; x < W - 1; ++x)
                for (int y = 1; y < H - 1; ++y)
                    QVERIFY2(!Black(img, x, y), qPrintable(dump));
        }
        for (int i = 0; i < marks.size(); ++i)
            for (int y = markTops[i]; y < H - 1; ++y)
                QVERIFY2(Black(img, marks[i], y), qPrintable(dump));
        // Just above the bottom edge only the marks and the closing line are
        // set, away from the slope's start.
        for (int x = 8; x < W - 1; ++x) {
            const bool expected = marks.contains(x) || x == edgeX;
            QVERIFY2(Black(img, x, H - 2) == expected,
                     qPrintable(QString::number(x) + "\n" + dump));
        }
        // The slope: one black pixel near the straight line in each column
        // between the marks.
        const int x = edgeX / 2 + 2;
        const double yLine = (H - 1) - double(H - 1 - edgeTop) * x / edgeX;
        bool onSlope = false;
        for (int y = int(yLine) - 1; y <= int(yLine) + 1; ++y)
            onSlope = onSlope || Black(img, x, y);
        QVERIFY2(onSlope, qPrintable(dump));
        // Above the slope stays clear.
        QVERIFY2(!Black(img, x, int(yLine) - 3), qPrintable(dump));
    }

    void widgetPaintsTheSameImage() {
        TSignalIndicator w;
        QCOMPARE(w.objectName(), QString("pGSMStr"));
        QCOMPARE(w.size(), QSize(W, H));
        for (const char* text : {"", "15", "99"}) {
            w.SetLevelText(QString::fromLatin1(text));
            QImage shown = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QImage expected(W, H, QImage::Format_RGB32);
            QPainter p(&expected);
            PaintSignalIndicator(p, W, H, SignalLevel(QString::fromLatin1(text)),
                                 w.palette().color(QPalette::Window));
            p.end();
            QCOMPARE(shown, expected);
        }
    }
};

QTEST_MAIN(TestSignalIndicator)
#include "tst_signalindicator.moc"
