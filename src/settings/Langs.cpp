#include "Langs.h"

#include "InstallPaths.h"
#include "base/IniFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {

// Three letters and the terminator, as the Windows locale query delivers it.
constexpr int kAbbreviationLength = 3;
// The shorter name tried when the three-letter module is missing.
constexpr int kShortAbbreviationLength = 2;
// A translation module larger than this is not a translation module.
constexpr qint64 kMaxModuleSize = 64 * 1024 * 1024;

struct TLocaleEntry {
    int Id;
    const char* Abbreviation;
    QLocale::Language Language;
    QLocale::Territory Territory;
};

// LOCALE_SABBREVLANGNAME of the common Windows locales. The first entry of a
// language is its primary locale, used for territories not listed.
constexpr TLocaleEntry kLocales[] = {
    {1049, "RUS", QLocale::Russian, QLocale::Russia},
    {1033, "ENU", QLocale::English, QLocale::UnitedStates},
    {2057, "ENG", QLocale::English, QLocale::UnitedKingdom},
    {3081, "ENA", QLocale::English, QLocale::Australia},
    {4105, "ENC", QLocale::English, QLocale::Canada},
    {5129, "ENZ", QLocale::English, QLocale::NewZealand},
    {6153, "ENI", QLocale::English, QLocale::Ireland},
    {1031, "DEU", QLocale::German, QLocale::Germany},
    {2055, "DES", QLocale::German, QLocale::Switzerland},
    {3079, "DEA", QLocale::German, QLocale::Austria},
    {4103, "DEL", QLocale::German, QLocale::Luxembourg},
    {5127, "DEC", QLocale::German, QLocale::Liechtenstein},
    {1036, "FRA", QLocale::French, QLocale::France},
    {2060, "FRB", QLocale::French, QLocale::Belgium},
    {3084, "FRC", QLocale::French, QLocale::Canada},
    {4108, "FRS", QLocale::French, QLocale::Switzerland},
    {1040, "ITA", QLocale::Italian, QLocale::Italy},
    {2064, "ITS", QLocale::Italian, QLocale::Switzerland},
    {3082, "ESN", QLocale::Spanish, QLocale::Spain},
    {1034, "ESP", QLocale::Spanish, QLocale::AnyTerritory},
    {2058, "ESM", QLocale::Spanish, QLocale::Mexico},
    {1058, "UKR", QLocale::Ukrainian, QLocale::Ukraine},
    {1059, "BEL", QLocale::Belarusian, QLocale::Belarus},
    {1087, "KKZ", QLocale::Kazakh, QLocale::Kazakhstan},
    {1045, "PLK", QLocale::Polish, QLocale::Poland},
    {1029, "CSY", QLocale::Czech, QLocale::CzechRepublic},
    {1055, "TRK", QLocale::Turkish, QLocale::Turkey},
    {1041, "JPN", QLocale::Japanese, QLocale::Japan},
    {2052, "CHS", QLocale::Chinese, QLocale::China},
    {1028, "CHT", QLocale::Chinese, QLocale::Taiwan},
    {3076, "ZHH", QLocale::Chinese, QLocale::HongKong},
    {4100, "ZHI", QLocale::Chinese, QLocale::Singapore},
    {1042, "KOR", QLocale::Korean, QLocale::SouthKorea},
    {1046, "PTB", QLocale::Portuguese, QLocale::Brazil},
    {2070, "PTG", QLocale::Portuguese, QLocale::Portugal},
    {1043, "NLD", QLocale::Dutch, QLocale::Netherlands},
    {2067, "NLB", QLocale::Dutch, QLocale::Belgium},
    {1053, "SVE", QLocale::Swedish, QLocale::Sweden},
    {2077, "SVF", QLocale::Swedish, QLocale::Finland},
    {1030, "DAN", QLocale::Danish, QLocale::Denmark},
    {1044, "NOR", QLocale::NorwegianBokmal, QLocale::Norway},
    {2068, "NON", QLocale::NorwegianNynorsk, QLocale::Norway},
    {1035, "FIN", QLocale::Finnish, QLocale::Finland},
    {1032, "ELL", QLocale::Greek, QLocale::Greece},
    {1038, "HUN", QLocale::Hungarian, QLocale::Hungary},
    {1048, "ROM", QLocale::Romanian, QLocale::Romania},
    {1026, "BGR", QLocale::Bulgarian, QLocale::Bulgaria},
    {1050, "HRV", QLocale::Croatian, QLocale::Croatia},
    {1051, "SKY", QLocale::Slovak, QLocale::Slovakia},
    {1060, "SLV", QLocale::Slovenian, QLocale::Slovenia},
    {1061, "ETI", QLocale::Estonian, QLocale::Estonia},
    {1062, "LVI", QLocale::Latvian, QLocale::Latvia},
    {1063, "LTH", QLocale::Lithuanian, QLocale::Lithuania},
    {1068, "AZE", QLocale::Azerbaijani, QLocale::Azerbaijan},
    {2092, "AZC", QLocale::Azerbaijani, QLocale::AnyTerritory},
    {1091, "UZB", QLocale::Uzbek, QLocale::Uzbekistan},
    {2115, "UZC", QLocale::Uzbek, QLocale::AnyTerritory},
    {1079, "KAT", QLocale::Georgian, QLocale::Georgia},
    {1067, "HYE", QLocale::Armenian, QLocale::Armenia},
    {1064, "TAJ", QLocale::Tajik, QLocale::Tajikistan},
    {1088, "KYR", QLocale::Kyrgyz, QLocale::Kyrgyzstan},
    {1090, "TUK", QLocale::Turkmen, QLocale::Turkmenistan},
    {1092, "TTT", QLocale::Tatar, QLocale::Russia},
    {1104, "MON", QLocale::Mongolian, QLocale::Mongolia},
    {1071, "MKI", QLocale::Macedonian, QLocale::Macedonia},
    {1052, "SQI", QLocale::Albanian, QLocale::Albania},
    {1025, "ARA", QLocale::Arabic, QLocale::SaudiArabia},
    {1037, "HEB", QLocale::Hebrew, QLocale::Israel},
    {1065, "FAR", QLocale::Persian, QLocale::Iran},
    {1027, "CAT", QLocale::Catalan, QLocale::Spain},
    {1069, "EUQ", QLocale::Basque, QLocale::Spain},
    {1110, "GLC", QLocale::Galician, QLocale::Spain},
    {1039, "ISL", QLocale::Icelandic, QLocale::Iceland},
    {1080, "FOS", QLocale::Faroese, QLocale::FaroeIslands},
    {1054, "THA", QLocale::Thai, QLocale::Thailand},
    {1066, "VIT", QLocale::Vietnamese, QLocale::Vietnam},
    {1057, "IND", QLocale::Indonesian, QLocale::Indonesia},
    {1086, "MSL", QLocale::Malay, QLocale::Malaysia},
    {1081, "HIN", QLocale::Hindi, QLocale::India},
    {1056, "URD", QLocale::Urdu, QLocale::Pakistan},
    {1089, "SWK", QLocale::Swahili, QLocale::Kenya},
    {1078, "AFK", QLocale::Afrikaans, QLocale::SouthAfrica},
};

// The one module in use. The translator reads the module's bytes in place,
// so they live as long as it does.
struct TLanguageModule {
    QString Path;
    QByteArray Data;
    std::unique_ptr<QTranslator> Translator;
};

std::unique_ptr<TLanguageModule>& CurrentModule() {
    static std::unique_ptr<TLanguageModule> module;
    return module;
}

// Reads the file under exactly this name: QTranslator::load(filename) would
// also try other names (added ".qm", cut at "_" and "."), which could pick
// up a module of another language or the executable itself.
std::unique_ptr<TLanguageModule> LoadModule(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxModuleSize)
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    auto module = std::make_unique<TLanguageModule>();
    module->Path = info.absoluteFilePath();
    module->Data = file.readAll();
    module->Translator = std::make_unique<QTranslator>();
    if (module->Data.isEmpty() ||
        !module->Translator->load(reinterpret_cast<const uchar*>(module->Data.constData()),
                                  int(module->Data.size()), info.absolutePath()))
        return nullptr;
    return module;
}

// Qt's own texts (file dialogs, standard buttons) in the interface language.
std::unique_ptr<QTranslator>& QtTranslation() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

QLocale::Language LocaleLanguage(int localeId) {
    if (localeId == 0)
        localeId = SystemLocaleId();
    for (const TLocaleEntry& entry : kLocales)
        if (entry.Id == localeId)
            return entry.Language;
    return QLocale::AnyLanguage;
}

void ReleaseQtTranslation() {
    auto& translator = QtTranslation();
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

} // namespace

QString InstallQtTranslation(QLocale::Language language) {
    ReleaseQtTranslation();
    // Qt speaks English by itself.
    if (language == QLocale::English || language == QLocale::AnyLanguage || language == QLocale::C)
        return QString();
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return QString();
    QCoreApplication::installTranslator(translator.get());
    QtTranslation() = std::move(translator);
    return QtTranslation()->filePath();
}

QString InstalledQtTranslation() {
    const auto& translator = QtTranslation();
    return translator ? translator->filePath() : QString();
}

int WindowsLocaleId(QLocale::Language language, QLocale::Territory territory) {
    int primary = 0;
    for (const TLocaleEntry& entry : kLocales) {
        if (entry.Language != language)
            continue;
        if (entry.Territory == territory && territory != QLocale::AnyTerritory)
            return entry.Id;
        if (primary == 0)
            primary = entry.Id;
    }
    return primary;
}

int SystemLocaleId() {
    const QLocale system = QLocale::system();
    return WindowsLocaleId(system.language(), system.territory());
}

QString LocaleAbbreviation(int localeId) {
    if (localeId == 0)
        localeId = SystemLocaleId();
    for (const TLocaleEntry& entry : kLocales) {
        if (entry.Id == localeId)
            return QString::fromLatin1(entry.Abbreviation, kAbbreviationLength);
    }
    return QString();
}

QStringList LanguageModuleCandidates(const QString& executablePath, int localeId) {
    const QString abbreviation = LocaleAbbreviation(localeId);
    if (abbreviation.isEmpty() || executablePath.isEmpty())
        return {};
    const QFileInfo exe(executablePath);
    QString stem = exe.fileName();
    // A leading dot starts a hidden name, not an extension.
    const int dot = stem.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        stem.truncate(dot);
    const QDir folder = exe.dir();
    return {folder.filePath(stem + QLatin1Char('.') + abbreviation),
            folder.filePath(stem + QLatin1Char('.') + abbreviation.left(kShortAbbreviationLength))};
}

QString SetInterfaceLanguageFor(const QString& executablePath, int localeId) {
    for (const QString& candidate : LanguageModuleCandidates(executablePath, localeId)) {
        std::unique_ptr<TLanguageModule> module = LoadModule(candidate);
        if (!module)
            continue;
        ReleaseInterfaceLanguage();
        QCoreApplication::installTranslator(module->Translator.get());
        CurrentModule() = std::move(module);
        InstallQtTranslation(LocaleLanguage(localeId));
        return CurrentModule()->Path;
    }
    // The built-in texts are Russian.
    if (!CurrentModule())
        InstallQtTranslation(QLocale::Russian);
    return QString();
}

QString SetInterfaceLanguage(int localeId) {
    return SetInterfaceLanguageFor(ProgramPaths().LanguageBase, localeId);
}

QString SetInterfaceLanguageFrom(const TIniFile& settings) {
    return SetInterfaceLanguage(
        settings.ReadInteger(QStringLiteral("Interface"), QStringLiteral("Language"), 0));
}

QString InstalledLanguageModule() {
    const auto& module = CurrentModule();
    return module ? module->Path : QString();
}

void ReleaseInterfaceLanguage() {
    ReleaseQtTranslation();
    auto& module = CurrentModule();
    if (!module)
        return;
    QCoreApplication::removeTranslator(module->Translator.get());
    module.reset();
}
