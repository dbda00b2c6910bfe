#include "app/ExchangeLog.h"
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
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

namespace {

// The log pane alone on a window of the pane's size in the main window, with
// its context menu reporting into it as the window's does.
class TLogBench {
public:
    TLogBench() : LogLines(CreateLogPane(&Window)) {
        Window.resize(kPaneWidth, kPaneHeight);
        auto* layout = new QVBoxLayout(&Window);
        layout->addWidget(LogLines);
        LogMenu = std::make_unique<TLogPaneMenu>(
            LogLines, [this](const QString& message) { WriteLog(message, lkGeneral); });
    }
    static constexpr int kPaneWidth = 844;
    static constexpr int kPaneHeight = 216;

    void WriteLog(const QString& text, int kind) { AppendLogText(LogLines, text, kind); }
    void show() { Window.show(); }

    QWidget Window;
    QPlainTextEdit* LogLines;
    std::unique_ptr<TLogPaneMenu> LogMenu;
};

QStringList PaneLines(const TLogBench& B) {
    QStringList lines;
    const QTextDocument* doc = B.LogLines->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines.append(b.text());
    if (doc->isEmpty())
        lines.clear();
    return lines;
}

QColor LineColor(const TLogBench& B, int line) {
    const QTextBlock b = B.LogLines->document()->findBlockByNumber(line);
    for (auto it = b.begin(); !it.atEnd(); ++it)
        return it.fragment().charFormat().foreground().color();
    return QColor();
}

} // namespace

class TestExchangeLog : public QObject {
    Q_OBJECT
    QTemporaryDir FDir;
    TLogBench* B = nullptr;

private Q_SLOTS:
    void initTestCase() { SetSettingsFolder(FDir.path()); }
    void init() {
        Settings = TSettings();
        B = new TLogBench;
    }
    void cleanup() {
        delete B;
        B = nullptr;
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
        B->WriteLog(QStringLiteral("x"), kind);
        QCOMPARE(PaneLines(*B), QStringList{expected});
    }

    void answerWithEchoGivesFiveLines() {
        B->WriteLog(QStringLiteral("AT+SGDT=?\r\r\n+RESP:SGDT,1,2\r\n\r\n>"), lkRead);
        QCOMPARE(PaneLines(*B), QStringList({"<AT+SGDT=?", "<", "<+RESP:SGDT,1,2", "<", "<>"}));
    }

    void terminatorsAloneGiveOnePrefixLine() {
        B->WriteLog(QStringLiteral("\r\n"), lkWrite);
        QCOMPARE(PaneLines(*B), QStringList{">"});
    }

    void entryCodeIsTwoLines() {
        B->WriteLog(QStringLiteral("\r4817263\r"), lkWrite);
        QCOMPARE(PaneLines(*B), QStringList({">", ">4817263"}));
    }

    void nulEndsALine() {
        B->WriteLog(QStringLiteral("AB") + QChar(0) + QStringLiteral("CD"), lkRead);
        QCOMPARE(PaneLines(*B), QStringList({"<AB", "<CD"}));
    }

    void controlCharactersShowAsUnderscoreExceptInTheRest() {
        B->WriteLog(QStringLiteral("a\tb\r\nc\td"), lkGeneral);
        QCOMPARE(PaneLines(*B), QStringList({"]a_b", "]c\td"}));
    }

    void emptyTextIsIgnored() {
        B->WriteLog(QString(), lkGeneral);
        QVERIFY(PaneLines(*B).isEmpty());
    }

    void unknownKindIsReportedThenWrittenWithoutPrefix() {
        B->WriteLog(QStringLiteral("hello"), 9);
        QCOMPARE(PaneLines(*B),
                 QStringList({QStringLiteral("]Неизвестный тип протоколирования 9"), "hello"}));
    }

    void keepsTheLastThousandLines() {
        QString text;
        for (int i = 1; i <= 1500; ++i)
            text += QString::number(i) + QStringLiteral("\r\n");
        B->WriteLog(text, lkRead);
        const QStringList lines = PaneLines(*B);
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
            B->WriteLog(QString::number(i), lkGeneral);
        const QStringList lines = PaneLines(*B);
        QCOMPARE(lines.size(), kLogMaxLines);
        QCOMPARE(lines.first(), QStringLiteral("]2"));
    }

    void coloursFollowTheSettings() {
        Settings.ReadColorText = 0x0000FF00;         // green
        Settings.WriteColorText = 0x00FF0000;        // blue
        Settings.GeneralErrorColorText = 0x000000FF; // red
        B->WriteLog(QStringLiteral("r"), lkRead);
        B->WriteLog(QStringLiteral("w"), lkWrite);
        B->WriteLog(QStringLiteral("g"), lkGeneral);
        QCOMPARE(LineColor(*B, 0), QColor(0, 255, 0));
        QCOMPARE(LineColor(*B, 1), QColor(0, 0, 255));
        QCOMPARE(LineColor(*B, 2), QColor(255, 0, 0));
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
            B->WriteLog(QStringLiteral("a\r\nb"), kind);
        QCOMPARE(PaneLines(*B),
                 QStringList({"<a", "<b", ">a", ">b", "E<a", "E<b", "E>a", "E>b", "]a", "]b"}));
        for (int kind = lkRead; kind <= lkGeneral; ++kind) {
            const TColor c = allBlack ? 0 : colours[kind];
            const QColor want(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
            QCOMPARE(LineColor(*B, 2 * kind), want);
            QCOMPARE(LineColor(*B, 2 * kind + 1), want);
        }
    }

    void caretStaysAtTheEnd() {
        for (int i = 0; i < 50; ++i)
            B->WriteLog(QStringLiteral("line"), lkRead);
        const QTextCursor c = B->LogLines->textCursor();
        QVERIFY(!c.hasSelection());
        QVERIFY(c.atEnd());
    }

    // A caret the operator placed elsewhere, even with a selection, comes
    // back to the end, and the newest line is scrolled into view.
    void caretPutElsewhereReturnsToTheEnd() {
        B->show();
        QVERIFY(QTest::qWaitForWindowExposed(&B->Window));
        for (int i = 0; i < 200; ++i)
            B->WriteLog(QStringLiteral("line %1").arg(i), lkRead);
        QTextCursor start(B->LogLines->document());
        start.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        B->LogLines->setTextCursor(start);
        B->LogLines->verticalScrollBar()->setValue(0);
        B->WriteLog(QStringLiteral("newest"), lkGeneral);
        const QTextCursor c = B->LogLines->textCursor();
        QVERIFY(!c.hasSelection());
        QVERIFY(c.atEnd());
        const QScrollBar* bar = B->LogLines->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        QCoreApplication::processEvents();
        QCOMPARE(B->LogLines->cursorForPosition(QPoint(4, B->LogLines->viewport()->height() - 4))
                     .block()
                     .text(),
                 QStringLiteral("]newest"));
    }

    void newestLineInViewWhileLinesFallOffTheTop() {
        B->show();
        QVERIFY(QTest::qWaitForWindowExposed(&B->Window));
        for (int i = 0; i < 1500; ++i)
            B->WriteLog(QStringLiteral("line %1").arg(i), lkRead);
        const QScrollBar* bar = B->LogLines->verticalScrollBar();
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(B->LogLines->textCursor().atEnd());
        QCOMPARE(B->LogLines->document()->lastBlock().text(), QStringLiteral("<line 1499"));
    }

    // Saving writes every pane line, prefix and time of logging in front,
    // as UTF-8, and leaves the pane as it is; lines pushed out are gone from
    // the file too; "Очистить" empties the pane.
    void savedLogCarriesTimesAndPrefixes() {
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        for (int i = 0; i < kLogMaxLines + 2; ++i)
            B->WriteLog(QStringLiteral("n%1").arg(i), lkGeneral);
        B->WriteLog(QStringLiteral("AT+SGDT=?"), lkWrite);
        B->WriteLog(QStringLiteral("Ответ\r\n>"), lkRead);
        const QStringList shown = PaneLines(*B);

        const QString path = FDir.filePath(QStringLiteral("log.txt"));
        QVERIFY(B->LogMenu->SaveTo(path));
        QCOMPARE(PaneLines(*B), shown);
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

        QVERIFY(!B->LogMenu->SaveTo(FDir.filePath(QStringLiteral("no/such/dir/log.txt"))));
        QVERIFY(PaneLines(*B).last().startsWith(QStringLiteral("]Не могу сохранить протокол")));

        std::unique_ptr<QMenu> menu(B->LogMenu->CreateMenu());
        QAction* clear = menu->findChild<QAction*>(QStringLiteral("ClearLog1"));
        QVERIFY(clear && menu->findChild<QAction*>(QStringLiteral("SaveLog1")));
        clear->trigger();
        QVERIFY(PaneLines(*B).isEmpty());

        // The save dialog, made on first use, opens where the window was opened.
        const QString opened = QDir::currentPath();
        QVERIFY(QDir::setCurrent(FDir.path()));
        QFileDialog* dialog = B->LogMenu->SaveDialog();
        QVERIFY(QDir::setCurrent(opened));
        QCOMPARE(B->LogMenu->SaveDialog(), dialog);
        QCOMPARE(QDir(dialog->directory()).absolutePath(), QDir(opened).absolutePath());
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("txt"));
    }
};

QTEST_MAIN(TestExchangeLog)
#include "tst_exchangelog.moc"
