#include "ColorList.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace {

constexpr int kSwatchSize = 14;
constexpr int kColorRole = Qt::UserRole;

struct TNamedColor {
    const char* name;
    TColor color;
};

// Codes are 0x00BBGGRR.
constexpr TNamedColor kStandardColors[] = {
    {QT_TRANSLATE_NOOP("TColorList", "Чёрный"), 0x000000},
    {QT_TRANSLATE_NOOP("TColorList", "Бордовый"), 0x000080},
    {QT_TRANSLATE_NOOP("TColorList", "Зелёный"), 0x008000},
    {QT_TRANSLATE_NOOP("TColorList", "Оливковый"), 0x008080},
    {QT_TRANSLATE_NOOP("TColorList", "Тёмно-синий"), 0x800000},
    {QT_TRANSLATE_NOOP("TColorList", "Пурпурный"), 0x800080},
    {QT_TRANSLATE_NOOP("TColorList", "Сине-зелёный"), 0x808000},
    {QT_TRANSLATE_NOOP("TColorList", "Серый"), 0x808080},
    {QT_TRANSLATE_NOOP("TColorList", "Серебристый"), 0xC0C0C0},
    {QT_TRANSLATE_NOOP("TColorList", "Красный"), 0x0000FF},
    {QT_TRANSLATE_NOOP("TColorList", "Лайм"), 0x00FF00},
    {QT_TRANSLATE_NOOP("TColorList", "Жёлтый"), 0x00FFFF},
    {QT_TRANSLATE_NOOP("TColorList", "Синий"), 0xFF0000},
    {QT_TRANSLATE_NOOP("TColorList", "Фуксия"), 0xFF00FF},
    {QT_TRANSLATE_NOOP("TColorList", "Морская волна"), 0xFFFF00},
    {QT_TRANSLATE_NOOP("TColorList", "Белый"), 0xFFFFFF},
    {QT_TRANSLATE_NOOP("TColorList", "Денежно-зелёный"), 0xC0DCC0},
    {QT_TRANSLATE_NOOP("TColorList", "Небесно-голубой"), 0xF0CAA6},
    {QT_TRANSLATE_NOOP("TColorList", "Кремовый"), 0xF0FBFF},
    {QT_TRANSLATE_NOOP("TColorList", "Средне-серый"), 0xA4A0A0},
};

struct TSystemColor {
    const char* name;
    QPalette::ColorRole role;
};

constexpr TSystemColor kSystemColors[] = {
    {QT_TRANSLATE_NOOP("TColorList", "Фон окна"), QPalette::Window},
    {QT_TRANSLATE_NOOP("TColorList", "Текст окна"), QPalette::WindowText},
    {QT_TRANSLATE_NOOP("TColorList", "Фон поля ввода"), QPalette::Base},
    {QT_TRANSLATE_NOOP("TColorList", "Чередующийся фон"), QPalette::AlternateBase},
    {QT_TRANSLATE_NOOP("TColorList", "Текст поля ввода"), QPalette::Text},
    {QT_TRANSLATE_NOOP("TColorList", "Текст-заполнитель"), QPalette::PlaceholderText},
    {QT_TRANSLATE_NOOP("TColorList", "Фон подсказки"), QPalette::ToolTipBase},
    {QT_TRANSLATE_NOOP("TColorList", "Текст подсказки"), QPalette::ToolTipText},
    {QT_TRANSLATE_NOOP("TColorList", "Кнопка"), QPalette::Button},
    {QT_TRANSLATE_NOOP("TColorList", "Текст кнопки"), QPalette::ButtonText},
    {QT_TRANSLATE_NOOP("TColorList", "Яркий текст"), QPalette::BrightText},
    {QT_TRANSLATE_NOOP("TColorList", "Светлая грань"), QPalette::Light},
    {QT_TRANSLATE_NOOP("TColorList", "Полусветлая грань"), QPalette::Midlight},
    {QT_TRANSLATE_NOOP("TColorList", "Средняя грань"), QPalette::Mid},
    {QT_TRANSLATE_NOOP("TColorList", "Тёмная грань"), QPalette::Dark},
    {QT_TRANSLATE_NOOP("TColorList", "Тень"), QPalette::Shadow},
    {QT_TRANSLATE_NOOP("TColorList", "Выделение"), QPalette::Highlight},
    {QT_TRANSLATE_NOOP("TColorList", "Выделенный текст"), QPalette::HighlightedText},
    {QT_TRANSLATE_NOOP("TColorList", "Ссылка"), QPalette::Link},
    {QT_TRANSLATE_NOOP("TColorList", "Посещённая ссылка"), QPalette::LinkVisited},
};

QIcon Swatch(TColor color) {
    QPixmap pixmap(kSwatchSize, kSwatchSize);
    pixmap.fill(ColorToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
    return QIcon(pixmap);
}

} // namespace

QColor ColorToQColor(TColor color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor QColorToColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return TColor(rgb.red()) | (TColor(rgb.green()) << 8) | (TColor(rgb.blue()) << 16);
}

TColorList::TColorList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    for (const TNamedColor& c : kStandardColors)
        AddColor(tr(c.name), c.color);
    const QPalette palette = QGuiApplication::palette();
    for (const TSystemColor& c : kSystemColors)
        AddColor(tr(c.name), QColorToColor(palette.color(QPalette::Active, c.role)));
}

void TColorList::AddColor(const QString& name, TColor color) {
    addItem(Swatch(color), name, QVariant::fromValue<uint>(color));
}

void TColorList::SetSelected(TColor color) {
    for (int i = 0; i < count(); ++i) {
        if (i != FCustomIndex && itemData(i, kColorRole).toUInt() == color) {
            setCurrentIndex(i);
            return;
        }
    }
    const QString name =
        tr("Другой (%1)").arg(QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper());
    if (FCustomIndex < 0) {
        AddColor(name, color);
        FCustomIndex = count() - 1;
    } else {
        setItemText(FCustomIndex, name);
        setItemIcon(FCustomIndex, Swatch(color));
        setItemData(FCustomIndex, QVariant::fromValue<uint>(color), kColorRole);
    }
    setCurrentIndex(FCustomIndex);
}

TColor TColorList::Selected() const {
    const int i = currentIndex();
    return i < 0 ? TColor(0) : TColor(itemData(i, kColorRole).toUInt());
}

int TColorList::CustomIndex() const {
    return FCustomIndex;
}
