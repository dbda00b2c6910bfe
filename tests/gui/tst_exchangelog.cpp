#include "app/TfmMain.h"
#include "link/LogFormat.h"
#include "link/LogPane.h"
#include "settings/Settings.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>
#include <memory>

namespace {

QStringList PaneLines(const TfmMain& fm) {
    QStringList lines;
    const QTextDocument* doc = fm.LogLines->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines.append(b.text());
    if (doc->isEmpty())
        lines.clear();
    return lines;
}

QColor LineColor(const TfmMain& fm, int line) {
    const QTextBlock b = fm.LogLines->document()->findBlockByNumber(line);
    for (auto it = b.begin(); !it.atEnd(); ++it)
        return it.fragment().charFormat().foreground().color();
    return QColor();
}

} // namespace

class TestExchangeLog : public QObject {
    Q_OBJECT
    QTemporaryDir FDir;
    TfmMain* fm = nullptr;

private Q_SLOTS:
    void initTestCase() { SetSettingsFolder(FDir.path()); }
    void init() {
        Settings = TSettings();
        fm = new TfmMain;
    }
    void cleanup() {
        delete fm;
        fm = nullptr;
    }

    void prefixesEachKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("read") << int(lkRead) << "<x";
        QTest::newRow("write") << int(lkWrite) << ">x";
        QTest::newRow("read error") << int(lkReadError) << "E<x";
        QTest::newRow("write error") << int(lkWriteError) << "E>x";
        QTest::newRow("general") << int(lkGeneral) << "]x";
    }
    void prefixesEachKind() {
        QFETCH(int, kind);
        QFETCH(QString, expected);
        fm->WriteLog(QStringLiteral("x"), kind);
        QCOMPARE(PaneLines(*fm), QStringList{expected});
    }

    void answerWithEchoGivesFiveLines() {
        fm->WriteLog(QStringLiteral("AT+SGDT=?\r\r\n+RESP:SGDT,1,2\r\n\r\n>"), lkRead);
        QCOMPARE(PaneLines(*fm), QStringList({"<AT+SGDT=?", "<", "<+RESP:SGDT,1,2", "<", "<>"}));
    }

    void terminatorsAloneGiveOnePrefixLine() {
        fm->WriteLog(QStringLiteral("\r\n"), lkWrite);
        QCOMPARE(PaneLines(*fm), QStringList{">"});
    }

    void entryCodeIsTwoLines() {
        fm->WriteLog(QStringLiteral("\r4817263\r"), lkWrite);
        QCOMPARE(PaneLines(*fm), QStringList({">", ">4817263"}));
    }

    void nulEndsALine() {
        fm->WriteLog(QStringLiteral("AB") + QChar(0) + QStringLiteral("CD"), lkRead);
        QCOMPARE(PaneLines(*fm), QStringList({"<AB", "<CD"}));
    }

    void controlCharactersShowAsUnderscoreExceptInTheRest() {
        fm->WriteLog(QStringLiteral("a\tb\r\nc\td"), lkGeneral);
        QCOMPARE(PaneLines(*fm), QStringList({"]a_b", "]c\td"}));
    }

    void emptyTextIsIgnored() {
        fm->WriteLog(QString(), lkGeneral);
        QVERIFY(PaneLines(*fm).isEmpty());
    }

    void unknownKindIsReportedThenWrittenWithoutPrefix() {
        fm->WriteLog(QStringLiteral("hello"), 9);
        QCOMPARE(PaneLines(*fm),
                 QStringList({QStringLiteral("]Неизвестный тип протоколирования 9"), "hello"}));
    }

    void keepsTheLastThousandLines() {
        QString text;
        for (int i = 1; i <= 1500; ++i)
            text += QString::number(i) + QStringLiteral("\r\n");
        fm->WriteLog(text, lkRead);
        const QStringList lines = PaneLines(*fm);
        QCOMPARE(lines.size(), kLogMaxLines);
        QCOMPARE(lines.first(), QStringLiteral("<501"));
        QCOMPARE(lines.last(), QStringLiteral("<1500"));
    }

    // A long answer is cut into lines in one pass over it, not by moving the
    // rest of the text forward after every line.
    void longTextIsCutWithoutCopyingTheRest() {
        constexpr int kLines = 200000;
        QString text;
        for (int i = 0; i < kLines; ++i)
            text += QStringLiteral("+RESP:SCNT,%1,0\r\n").arg(i);
        text += QStringLiteral("tail\t");
        const QStringList lines = FormatLogLines(text, QStringLiteral("<"));
        QCOMPARE(lines.size(), kLines + 1);
        QCOMPARE(lines.at(kLines - 1), QStringLiteral("<+RESP:SCNT,%1,0").arg(kLines - 1));
        QCOMPARE(lines.last(), QStringLiteral("<tail\t"));
    }

    void thousandAndFirstLinePushesOutTheFirst() {
        for (int i = 1; i <= 1001; ++i)
            fm->WriteLog(QString::number(i), lkGeneral);
        const QStringList lines = PaneLines(*fm);
        QCOMPARE(lines.size(), kLogMaxLines);
        QCOMPARE(lines.first(), QStringLiteral("]2"));
    }

    void coloursFollowTheSettings() {
        Settings.ReadColorText = 0x0000FF00;         // green
        Settings.WriteColorText = 0x00FF0000;        // blue
        Settings.GeneralErrorColorText = 0x000000FF; // red
        fm->WriteLog(QStringLiteral("r"), lkRead);
        fm->WriteLog(QStringLiteral("w"), lkWrite);
        fm->WriteLog(QStringLiteral("g"), lkGeneral);
        QCOMPARE(LineColor(*fm, 0), QColor(0, 255, 0));
        QCOMPARE(LineColor(*fm, 1), QColor(0, 0, 255));
        QCOMPARE(LineColor(*fm, 2), QColor(255, 0, 0));
    }

    // Each kind takes its own colour setting; with every setting at 0 all
    // lines are black and only the prefixes tell the kinds apart.
    void everyKindTakesItsColour_data() {
        QTest::addColumn<bool>("allBlack");
        QTest::newRow("distinct colours") << false;
        QTest::newRow("every colour 0") << true;
    }
    void everyKindTakesItsColour() {
        QFETCH(bool, allBlack);
        const TColor colours[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00808000, 0x00008080};
        Settings.ReadColorText = allBlack ? 0 : colours[lkRead];
        Settings.WriteColorText = allBlack ? 0 : colours[lkWrite];
        Settings.ReadErrorColorText = allBlack ? 0 : colours[lkReadError];
        Settings.WriteErrorColorText = allBlack ? 0 : colours[lkWriteError];
        Settings.GeneralErrorColorText = allBlack ? 0 : colours[lkGeneral];
        for (int kind = lkRead; kind <= lkGeneral; ++kind)
            fm->WriteLog(QStringLiteral("a\r\nb"), kind);
        QCOMPARE(PaneLines(*fm),
                 QStringList({"<a", "<b", ">a", ">b", "E<a", "E<b", "E>a", "E>b", "]a", "]b"}));
        for (int kind = lkRead; kind <= lkGeneral; ++kind) {
            const TColor c = allBlack ? 0 : colours[kind];
            const QColor want(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
            QCOMPARE(LineColor(*fm, 2 * kind), want);
            QCOMPARE(LineColor(*fm, 2 * kind + 1), want);
        }
    }

    void caretStaysAtTheEnd() {
        for (int i = 0; i < 50; ++i)
            fm->WriteLog(QStringLiteral("line"), lkRead);
        const QTextCursor c = fm->LogLines->textCursor();
        QVERIFY(!c.hasSelection());
        QVERIFY(c.atEnd());
    }

    // A caret the operator placed elsewhere, even with a selection, comes
    // back to the end, and the newest line is scrolled into view.
    void caretPutElsewhereReturnsToTheEnd() {
        fm->show();
        QVERIFY(QTest::qWaitForWindowExposed(fm));
        for (int i = 0; i < 200; ++i)
            fm->WriteLog(QStringLiteral("line %1").arg(i), lkRead);
        QTextCursor start(fm->LogLines->document());
        start.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        fm->LogLines->setTextCursor(start);
        fm->LogLines->verticalScrollBar()->setValue(0);
        fm->WriteLog(QStringLiteral("newest"), lkGeneral);
        const QTextCursor c = fm->LogLines->textCursor();
        QVERIFY(!c.hasSelection());
        QVERIFY(c.atEnd());
        const QScrollBar* bar = fm->LogLines->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        QCoreApplication::processEvents();
        QCOMPARE(fm->LogLines->cursorForPosition(QPoint(4, fm->LogLines->viewport()->height() - 4))
                     .block()
                     .text(),
                 QStringLiteral("]newest"));
    }

    void newestLineInViewWhileLinesFallOffTheTop() {
        fm->show();
        QVERIFY(QTest::qWaitForWindowExposed(fm));
        for (int i = 0; i < 1500; ++i)
            fm->WriteLog(QStringLiteral("line %1").arg(i), lkRead);
        const QScrollBar* bar = fm->LogLines->verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(fm->LogLines->textCursor().atEnd());
        QCOMPARE(fm->LogLines->document()->lastBlock().text(), QStringLiteral("<line 1499"));
    }

    // Saving writes every pane line, prefix and time of logging in front,
    // as UTF-8, and leaves the pane as it is; lines pushed out are gone from
    // the file too; "Очистить" empties the pane.
    void savedLogCarriesTimesAndPrefixes() {
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        for (int i = 0; i < kLogMaxLines + 2; ++i)
            fm->WriteLog(QStringLiteral("n%1").arg(i), lkGeneral);
        fm->WriteLog(QStringLiteral("AT+SGDT=?"), lkWrite);
        fm->WriteLog(QStringLiteral("Ответ\r\n>"), lkRead);
        const QStringList shown = PaneLines(*fm);

        const QString path = FDir.filePath(QStringLiteral("log.txt"));
        QVERIFY(fm->LogMenu->SaveTo(path));
        QCOMPARE(PaneLines(*fm), shown);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList saved = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(saved.size(), kLogMaxLines + 1); // the last line ends with a line feed
        QCOMPARE(saved.last(), QString());
        const QRegularExpression stamp(
            QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}) (.*)$"));
        for (int i = 0; i < kLogMaxLines; ++i) {
            const QRegularExpressionMatch m = stamp.match(saved[i]);
            QVERIFY2(m.hasMatch(), qPrintable(saved[i]));
            QCOMPARE(m.captured(2), shown[i]);
            const QDateTime at =
                QDateTime::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            QVERIFY(at >= before && at <= QDateTime::currentDateTime());
        }
        QCOMPARE(saved[kLogMaxLines - 2].section(QLatin1Char(' '), 2), QStringLiteral("<Ответ"));
        QCOMPARE(saved[0].section(QLatin1Char(' '), 2), QStringLiteral("]n5"));

        QVERIFY(!fm->LogMenu->SaveTo(FDir.filePath(QStringLiteral("no/such/dir/log.txt"))));
        QVERIFY(PaneLines(*fm).last().startsWith(QStringLiteral("]Не могу сохранить протокол")));

        std::unique_ptr<QMenu> menu(fm->LogMenu->CreateMenu());
        QAction* clear = menu->findChild<QAction*>(QStringLiteral("ClearLog1"));
        QVERIFY(clear && menu->findChild<QAction*>(QStringLiteral("SaveLog1")));
        clear->trigger();
        QVERIFY(PaneLines(*fm).isEmpty());

        // The save dialog, made on first use, opens where the window was opened.
        const QString opened = QDir::currentPath();
        QVERIFY(QDir::setCurrent(FDir.path()));
        QFileDialog* dialog = fm->LogMenu->SaveDialog();
        QVERIFY(QDir::setCurrent(opened));
        QCOMPARE(fm->LogMenu->SaveDialog(), dialog);
        QCOMPARE(QDir(dialog->directory()).absolutePath(), QDir(opened).absolutePath());
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("txt"));
    }
};

QTEST_MAIN(TestExchangeLog)
#include "tst_exchangelog.moc"
