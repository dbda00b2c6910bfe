#include "app/Forms.h"
#include "app/ParamFindBar.h"
#include "app/TAboutBox.h"
#include "app/TfmCompare.h"
#include "app/TfmMain.h"
#include "app/TfmSettings.h"
#include "base/IniFile.h"
#include "link/LogPane.h"
#include "link/TfmDeviceReconnect.h"
#include "link/TfmWaitingData.h"
#include "link/WriteCheck.h"
#include "pages/ChangeMarks.h"
#include "profile/DevCommands.h"
#include "settings/Langs.h"
#include "settings/Settings.h"
#include "app/TfmDeviceInfo.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QXmlStreamReader>
#include <QtTest>
#include <algorithm>

namespace {

constexpr int kEnglishLocale = 1033;
// A walk that finds fewer texts than this did not reach the windows.
constexpr int kMinWindowTexts = 100;

QString SourceTsFile() {
    return QDir(QStringLiteral(VELMORA_SOURCE_DIR))
        .filePath(QStringLiteral("translations/velmora_en.ts"));
}

QString SourceTree() {
    return QDir(QStringLiteral(VELMORA_SOURCE_DIR)).filePath(QStringLiteral("src"));
}

QString BuiltModule() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora.ENU"));
}

bool HasCyrillic(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

// Every text the profile brings, longest first, so that a longer one is cut
// out before a shorter one inside it.
QStringList ProfileTexts() {
    QStringList texts;
    auto add = [&texts](const QString& text) {
        if (!text.trimmed().isEmpty())
            texts.append(text);
    };
    for (const TCmdPage& page : DevCommands) {
        add(page.PageId);
        add(page.PageName);
        for (const TDevCommand& command : page.Commands) {
            add(command.Description);
            add(command.CommandName);
            for (const TCmdParameter& param : command.Parameters) {
                add(param.Description);
                add(param.Suffix);
                add(param.DefaultValue);
                add(param.OnLeaveMask);
                add(param.OnCharMask);
                for (const TCmdOption& option : param.Options) {
                    add(option.OptionText);
                    add(option.OptionValue);
                }
            }
        }
    }
    texts.removeDuplicates();
    std::sort(texts.begin(), texts.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return texts;
}

// Collects every text a window shows or can show, with where it was found.
class TTextWalk {
public:
    // Profile texts are cut out only as whole words: a one-letter unit
    // must not hide the Russian of the program's own word around it.
    explicit TTextWalk(const QStringList& profileTexts) {
        QStringList escaped;
        for (const QString& text : profileTexts)
            escaped.append(QRegularExpression::escape(text));
        FProfileTexts.setPattern(QStringLiteral("(?<![\\p{L}\\p{N}])(?:") +
                                 escaped.join(QLatin1Char('|')) +
                                 QStringLiteral(")(?![\\p{L}\\p{N}])"));
        FProfileTexts.setPatternOptions(QRegularExpression::UseUnicodePropertiesOption);
        FHaveProfile = !profileTexts.isEmpty();
    }

    void Window(QWidget* window) {
        Widget(window);
        const auto children = window->findChildren<QWidget*>();
        for (QWidget* child : children)
            Widget(child);
        const auto actions = window->findChildren<QAction*>();
        for (QAction* action : actions) {
            const QString where = Where(action);
            Add(where, action->text());
            Add(where, action->iconText());
            Add(where, action->toolTip());
            Add(where, action->statusTip());
            Add(where, action->whatsThis());
        }
    }

    int Count() const { return FCount; }
    const QStringList& Russian() const { return FRussian; }

private:
    static QString Where(const QObject* object) {
        QStringList path;
        for (const QObject* o = object; o; o = o->parent())
            path.prepend(o->objectName().isEmpty()
                             ? QString::fromLatin1(o->metaObject()->className())
                             : o->objectName());
        // The window and the last few steps are enough to find it.
        constexpr int kShownSteps = 3;
        if (path.size() > kShownSteps + 1)
            path = QStringList{path.first(), QStringLiteral("…")} +
                   path.mid(path.size() - kShownSteps);
        return path.join(QLatin1Char('/'));
    }

    static bool InsideFileDialog(const QWidget* widget) {
        for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
            if (qobject_cast<const QFileDialog*>(w))
                return true;
        }
        return false;
    }

    void Add(const QString& where, QString text) {
        if (text.trimmed().isEmpty())
            return;
        ++FCount;
        if (FHaveProfile)
            text.remove(FProfileTexts);
        if (HasCyrillic(text) && !FSeen.contains(text)) {
            FSeen.insert(text);
            FRussian.append(text.simplified() + QStringLiteral("    [") + where +
                            QStringLiteral("]"));
        }
    }

    void Model(const QString& where, const QAbstractItemModel* model,
               const QModelIndex& parent = QModelIndex()) {
        if (!model)
            return;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            for (int column = 0; column < model->columnCount(parent); ++column) {
                const QModelIndex index = model->index(row, column, parent);
                Add(where, index.data(Qt::DisplayRole).toString());
                Add(where, index.data(Qt::ToolTipRole).toString());
                if (column == 0 && model->hasChildren(index))
                    Model(where, model, index);
            }
        }
        if (parent.isValid())
            return;
        for (int column = 0; column < model->columnCount(); ++column)
            Add(where, model->headerData(column, Qt::Horizontal).toString());
        for (int row = 0; row < model->rowCount(); ++row)
            Add(where, model->headerData(row, Qt::Vertical).toString());
    }

    void Widget(QWidget* widget) {
        // The file dialogs list whatever the disk holds; only their own
        // texts count.
        if (InsideFileDialog(widget))
            return;
        const QString where = Where(widget);
        if (widget->isWindow())
            Add(where, widget->windowTitle());
        Add(where, widget->toolTip());
        Add(where, widget->statusTip());
        Add(where, widget->whatsThis());
        if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
            for (const QString& filter : dialog->nameFilters())
                Add(where, filter);
            return;
        }
        if (auto* label = qobject_cast<QLabel*>(widget))
            Add(where, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            Add(where, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            Add(where, group->title());
        if (auto* menu = qobject_cast<QMenu*>(widget))
            Add(where, menu->title());
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            Add(where, edit->text());
            Add(where, edit->placeholderText());
        }
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
            Add(where, spin->specialValueText());
        if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            Add(where, spin->prefix());
            Add(where, spin->suffix());
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                Add(where, combo->itemText(i));
                Add(where, combo->itemData(i, Qt::ToolTipRole).toString());
            }
            Add(where, combo->placeholderText());
        }
        if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                Add(where, tabs->tabText(i));
                Add(where, tabs->tabToolTip(i));
                Add(where, tabs->tabWhatsThis(i));
            }
        }
        if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
            Add(where, text->toPlainText());
            Add(where, text->placeholderText());
        }
        if (auto* text = qobject_cast<QTextEdit*>(widget)) {
            Add(where, text->toPlainText());
            Add(where, text->placeholderText());
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(widget))
            Model(where, view->model());
    }

    QRegularExpression FProfileTexts;
    bool FHaveProfile = false;
    QStringList FRussian;
    QSet<QString> FSeen;
    int FCount = 0;
};

// The string literals of a C++ source, adjacent ones joined, comments and
// character literals skipped; the usual escapes are undone.
QStringList StringLiterals(const QString& code) {
    QStringList literals;
    QString current;
    bool pending = false;
    const int n = int(code.size());
    int i = 0;
    while (i < n) {
        const QChar c = code[i];
        if (c == QLatin1Char('"')) {
            ++i;
            while (i < n && code[i] != QLatin1Char('"')) {
                if (code[i] == QLatin1Char('\\') && i + 1 < n) {
                    const QChar e = code[i + 1];
                    current += e == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                               : e == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                               : e == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                                                       : e;
                    i += 2;
                } else {
                    current += code[i++];
                }
            }
            ++i;
            pending = true;
        } else if (c == QLatin1Char('\'')) {
            ++i;
            while (i < n && code[i] != QLatin1Char('\''))
                i += code[i] == QLatin1Char('\\') ? 2 : 1;
            ++i;
        } else if (code.mid(i, 2) == QLatin1String("//")) {
            const int end = int(code.indexOf(QLatin1Char('\n'), i));
            i = end < 0 ? n : end;
        } else if (code.mid(i, 2) == QLatin1String("/*")) {
            const int end = int(code.indexOf(QLatin1String("*/"), i + 2));
            i = end < 0 ? n : end + 2;
        } else {
            if (!c.isSpace() && pending) {
                literals.append(current);
                current.clear();
                pending = false;
            }
            ++i;
        }
    }
    if (pending)
        literals.append(current);
    return literals;
}

struct TTsMessage {
    QString Context;
    QString Source;
    QString Comment;
    QString Translation;
    QString Type;
    bool Numerus = false;
    QStringList Forms;
};

QVector<TTsMessage> ReadTsFile(const QString& path, QString* error) {
    QVector<TTsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TTsMessage message;
    bool inMessage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                inMessage = true;
                message = TTsMessage();
                message.Context = context;
                message.Numerus =
                    xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (name == QLatin1String("source") && inMessage) {
                message.Source = xml.readElementText();
            } else if (name == QLatin1String("comment") && inMessage) {
                message.Comment = xml.readElementText();
            } else if (name == QLatin1String("translation") && inMessage) {
                message.Type = xml.attributes().value(QLatin1String("type")).toString();
                if (!message.Numerus)
                    message.Translation = xml.readElementText();
            } else if (name == QLatin1String("numerusform") && inMessage) {
                message.Forms.append(xml.readElementText());
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            inMessage = false;
            messages.append(message);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

} // namespace

class tst_English : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void translationSourceComplete();
    void builtModuleMatchesSource();
    void everyRussianLiteralTranslated();
    void otherEnglishLocalesUseTwoLetterModule();
    void qtOwnTextsFollowInterfaceLanguage();
    void englishModuleChosenBySettings();
    void windowsShowNoRussian();

private:
    QTemporaryDir FSettingsDir;
    QString FModuleCopy;
};

void tst_English::initTestCase() {
    QVERIFY(FSettingsDir.isValid());
    QFile ini(QDir(FSettingsDir.path()).filePath(QString::fromLatin1(kSettingsFileName)));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Interface]\r\nLanguage=1033\r\n");
    ini.close();
    SetSettingsFolder(FSettingsDir.path());

    // The switch looks beside the running executable, under its own name.
    QVERIFY2(QFile::exists(BuiltModule()), qPrintable(BuiltModule()));
    const QStringList candidates =
        LanguageModuleCandidates(QCoreApplication::applicationFilePath(), kEnglishLocale);
    QVERIFY(!candidates.isEmpty());
    FModuleCopy = candidates.first();
    QFile::remove(FModuleCopy);
    QVERIFY(QFile::copy(BuiltModule(), FModuleCopy));
}

void tst_English::cleanupTestCase() {
    DestroyForms();
    ReleaseInterfaceLanguage();
    SetSettingsFolder(QString());
    if (!FModuleCopy.isEmpty())
        QFile::remove(FModuleCopy);
}

void tst_English::translationSourceComplete() {
    QString error;
    const QVector<TTsMessage> messages = ReadTsFile(SourceTsFile(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!messages.isEmpty());
    QStringList faults;
    for (const TTsMessage& m : messages) {
        const QString where = m.Context + QStringLiteral(": ") + m.Source;
        if (!m.Type.isEmpty())
            faults.append(m.Type + QStringLiteral(" - ") + where);
        const QStringList texts = m.Numerus ? m.Forms : QStringList{m.Translation};
        if (texts.isEmpty())
            faults.append(QStringLiteral("no translation - ") + where);
        for (const QString& text : texts) {
            if (text.trimmed().isEmpty())
                faults.append(QStringLiteral("empty - ") + where);
            else if (HasCyrillic(text))
                faults.append(QStringLiteral("Russian left - ") + where + QStringLiteral(" -> ") +
                              text);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void tst_English::builtModuleMatchesSource() {
    QString error;
    const QVector<TTsMessage> messages = ReadTsFile(SourceTsFile(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTranslator module;
    QFile file(BuiltModule());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QVERIFY(module.load(reinterpret_cast<const uchar*>(data.constData()), int(data.size())));
    QStringList stale;
    for (const TTsMessage& m : messages) {
        if (m.Numerus)
            continue;
        const QByteArray comment = m.Comment.toUtf8();
        const QString built =
            module.translate(m.Context.toUtf8().constData(), m.Source.toUtf8().constData(),
                             m.Comment.isEmpty() ? nullptr : comment.constData());
        if (built != m.Translation)
            stale.append(m.Context + QStringLiteral(": ") + m.Source);
    }
    QVERIFY2(stale.isEmpty(), qPrintable(stale.join(QLatin1Char('\n'))));
}

void tst_English::everyRussianLiteralTranslated() {
    // A Russian text that never reaches the .ts file bypasses tr() (or a
    // helper lupdate is shown) and stays Russian in every language.
    QString error;
    QSet<QString> sources;
    for (const TTsMessage& m : ReadTsFile(SourceTsFile(), &error))
        sources.insert(m.Source);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QStringList missing;
    int files = 0;
    QDirIterator it(SourceTree(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        ++files;
        for (const QString& literal : StringLiterals(QString::fromUtf8(file.readAll()))) {
            if (HasCyrillic(literal) && !sources.contains(literal))
                missing.append(QFileInfo(file.fileName()).fileName() + QStringLiteral(": ") +
                               literal);
        }
    }
    QVERIFY(files > 0);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
}

void tst_English::otherEnglishLocalesUseTwoLetterModule() {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora"));
    for (int locale : {2057, 3081, 4105}) {
        QCOMPARE(SetInterfaceLanguageFor(program, locale),
                 QFileInfo(program + QStringLiteral(".EN")).absoluteFilePath());
        QCOMPARE(QCoreApplication::translate("TfmMain", "Файл"), QStringLiteral("File"));
    }
    ReleaseInterfaceLanguage();
}

namespace {

QStringList StandardButtonTexts() {
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Retry |
                         QDialogButtonBox::Yes | QDialogButtonBox::No);
    QStringList texts;
    for (const auto which : {QDialogButtonBox::Cancel, QDialogButtonBox::Retry,
                             QDialogButtonBox::Yes, QDialogButtonBox::No})
        texts << box.button(which)->text().remove(QLatin1Char('&'));
    return texts;
}

} // namespace

// Qt's own texts (standard buttons, file dialogs) speak the interface
// language: Russian with the built-in texts, English with the English module.
void tst_English::qtOwnTextsFollowInterfaceLanguage() {
    const QDir qtFolder(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!qtFolder.exists(QStringLiteral("qtbase_ru.qm")))
        QSKIP("Qt's Russian translation is not installed");
    ReleaseInterfaceLanguage();
    QTemporaryDir noModules;
    QCOMPARE(
        SetInterfaceLanguageFor(QDir(noModules.path()).filePath(QStringLiteral("velmora")), 1049),
        QString());
    QVERIFY(!InstalledQtTranslation().isEmpty());
    QCOMPARE(StandardButtonTexts(), (QStringList{"Отмена", "Повторить", "Да", "Нет"}));
    QVERIFY(QCoreApplication::translate("QFileDialog", "File &name:") !=
            QStringLiteral("File &name:"));

    QCOMPARE(SetInterfaceLanguage(kEnglishLocale), QFileInfo(FModuleCopy).absoluteFilePath());
    QVERIFY(InstalledQtTranslation().isEmpty());
    QCOMPARE(StandardButtonTexts(), (QStringList{"Cancel", "Retry", "Yes", "No"}));
    ReleaseInterfaceLanguage();
}

void tst_English::englishModuleChosenBySettings() {
    // As the program starts: only the language key is read, before any window.
    const int language =
        OpenSettingsFile()->ReadInteger(QStringLiteral("Interface"), QStringLiteral("Language"), 0);
    QCOMPARE(language, kEnglishLocale);
    QCOMPARE(SetInterfaceLanguage(language), QFileInfo(FModuleCopy).absoluteFilePath());
    QCOMPARE(QCoreApplication::translate("TAboutBox", "О программе"), QStringLiteral("About"));
}

void tst_English::windowsShowNoRussian() {
    if (InstalledLanguageModule().isEmpty())
        SetInterfaceLanguage(kEnglishLocale);
    QVERIFY(!InstalledLanguageModule().isEmpty());
    CreateForms();
    QVERIFY(fmMain && AboutBox && fmSettings && fmWaitingData && fmDeviceInfo && fmDeviceReconnect);

    TTextWalk walk(ProfileTexts());
    walk.Window(fmMain);

    // Some texts are only filled in when a window is shown; the dialogs are
    // hidden again before their deferred work (port, streaming) can start.
    TrueCustomer = false;
    AboutBox->show();
    walk.Window(AboutBox);
    AboutBox->hide();
    TrueCustomer = true;
    AboutBox->show();
    walk.Window(AboutBox);
    AboutBox->hide();
    TrueCustomer = false;

    fmSettings->show();
    walk.Window(fmSettings);
    fmSettings->hide();

    for (QDialog* dialog : std::initializer_list<QDialog*>{fmWaitingData, fmDeviceInfo}) {
        dialog->show();
        walk.Window(dialog);
        dialog->hide();
    }
    fmDeviceReconnect->show();
    walk.Window(fmDeviceReconnect);
    static_cast<QDialog*>(fmDeviceReconnect)->reject();

    // Texts that come up on demand: a comparison, the search field, the
    // log's menu and save dialog, a changed value's mark and the write
    // check's lines.
    {
        TValueDiffRow off;
        off.PageEnabled = false;
        off.OtherValue = QStringLiteral("7");
        TValueDiff diff;
        diff.Rows = {off};
        diff.Compared = 1;
        TfmCompare compare(fmMain);
        compare.ShowDiff(diff, QCoreApplication::translate("TfmMain", "В трекере"), true);
        compare.show();
        walk.Window(&compare);
        compare.hide();
    }
    fmMain->FindBar->Open();
    fmMain->FindBar->Field->setText(QStringLiteral("qqqqzz"));
    const std::unique_ptr<QMenu> logMenu(fmMain->LogMenu->CreateMenu());
    walk.Window(logMenu.get());
    walk.Window(fmMain->LogMenu->SaveDialog());
    const TCmdAddress first{0, 0, 0, 0};
    QVERIFY(fmMain->Pages->HasValue(first) &&
            DevCommands[0].Commands[0].Parameters[0].ParamKind == pkString);
    fmMain->Pages->SetWireText(first, QStringLiteral("x1"));
    QVERIFY(fmMain->Marks->IsMarked(first));
    TWriteCheck check;
    check.Begin(fmMain->Pages, first);
    TNullLinkHost host;
    QVERIFY(!check.Take(first, QStringLiteral("x2"), host));
    fmMain->WriteLog(check.Summary(), lkGeneral);
    QVERIFY(fmMain->Pages->FindControl(0, 0, 0, 0, crEditor)
                ->toolTip()
                .endsWith(QStringLiteral("\nwas: ") +
                          DevCommands[0].Commands[0].Parameters[0].DefaultValue));
    QVERIFY(fmMain->LogLines->toPlainText().endsWith(
        QStringLiteral("]Write finished, values not taken by the tracker: 1, not confirmed: 0")));
    QCOMPARE(fmMain->FindBar->Status->text(), QStringLiteral("Not found"));
    walk.Window(fmMain);
    fmMain->FindBar->Close();

    QVERIFY2(walk.Count() >= kMinWindowTexts, qPrintable(QString::number(walk.Count())));
    for (const QString& text : walk.Russian())
        qInfo().noquote() << "Russian text left:" << text;
    QVERIFY2(walk.Russian().isEmpty(),
             qPrintable(QStringLiteral("%1 Russian texts left").arg(walk.Russian().size())));
    QCOMPARE(AboutBox->windowTitle(), QStringLiteral("About"));
}

QTEST_MAIN(tst_English)
#include "tst_english.moc"
