#include "TAboutBox.h"

#include "pages/PaintedPixmap.h"
#include "settings/Settings.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSize>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 48;
constexpr QSize kPanelMinSize(360, 230);
constexpr int kProductFontPointSize = 14;
constexpr char kHttpPrefix[] = "http://";
constexpr char kMailtoPrefix[] = "mailto:";
const QColor kLinkColor(0, 0, 255);

constexpr char kDeveloperEmail1[] = "velmora@northwind-lab.example.com";
constexpr char kDeveloperEmail2[] = "dev.team@northwind-lab.example.com";
constexpr char kDistributorWeb[] = "http://www.trackline.example.com";
constexpr char kSupportEmail[] = "support@trackline.example.com";

// The program's picture: a map pin over a signal arc on a dark tile, drawn
// here so the box carries no image files.
QPixmap DrawProgramIcon() {
    return PaintPixmap(kIconSize, [](QPainter& p) {
        p.setBrush(QColor(24, 64, 120));
        p.drawRoundedRect(QRectF(1, 1, kIconSize - 2, kIconSize - 2), 8, 8);

        p.setPen(QPen(QColor(120, 200, 255), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 6, 32, 32), 30 * 16, 120 * 16);
        p.drawArc(QRectF(14, 12, 20, 20), 30 * 16, 120 * 16);

        QPainterPath pin;
        pin.moveTo(24, 43);
        pin.cubicTo(14, 31, 16, 21, 24, 21);
        pin.cubicTo(32, 21, 34, 31, 24, 43);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 170, 40));
        p.drawPath(pin);
        p.setBrush(QColor(24, 64, 120));
        p.drawEllipse(QPointF(24, 28), 3, 3);
    });
}

QLabel* MakeProductName(QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Velmora"), parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(kProductFontPointSize);
    label->setFont(font);
    return label;
}

// A sunken panel whose column opens with the icon beside the product name
// and version; the frame and labels go to the box's fields.
QVBoxLayout* MakePanel(QWidget* parent, const char* name, const QPixmap& icon,
                       const char* versionName, QWidget*& panel, QLabel*& iconLabel,
                       QLabel*& productName, QLabel*& version) {
    auto* frame = new QFrame(parent);
    panel = frame;
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setMinimumSize(kPanelMinSize);
    // The distributor's panel hides the developer's beneath it.
    frame->setAutoFillBackground(true);
    // Both keep one size whichever of them is hidden.
    QSizePolicy policy = frame->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    frame->setSizePolicy(policy);

    iconLabel = new QLabel(frame);
    iconLabel->setPixmap(icon);
    iconLabel->setFixedSize(kIconSize, kIconSize);
    productName = MakeProductName(frame);
    version = new QLabel(frame);
    version->setObjectName(QLatin1String(versionName));
    auto* title = new QVBoxLayout;
    title->addWidget(productName);
    title->addWidget(version);
    auto* head = new QHBoxLayout;
    head->addWidget(iconLabel, 0, Qt::AlignTop);
    head->addLayout(title, 1);
    auto* column = new QVBoxLayout(frame);
    column->addLayout(head);
    return column;
}

} // namespace

std::function<void(const QUrl&)> TAboutBox::UrlOpener;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("О программе"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);

    const QPixmap icon = DrawProgramIcon();
    auto* host = new QWidget(this);
    auto* stack = new QGridLayout(host);
    stack->setContentsMargins(0, 0, 0, 0);

    // Developer.
    QVBoxLayout* developer =
        MakePanel(host, "Panel1", icon, "Version", Panel1, ProgramIcon, ProductName, Version);
    Copyright = new QLabel(tr("Разработка: лаборатория телематики «Северный ветер»\n"
                              "© 2009–2026. Все права защищены."),
                           Panel1);
    Comments = new QLabel(tr("Мы разрабатываем встроенное программное обеспечение "
                             "GPS/GSM-трекеров, системы мониторинга транспорта и "
                             "программы настройки оборудования по заказу."),
                          Panel1);
    Comments->setWordWrap(true);
    lblEmail1 = MakeLinkLabel(QString::fromLatin1(kDeveloperEmail1), Panel1);
    lblEmail2 = MakeLinkLabel(QString::fromLatin1(kDeveloperEmail2), Panel1);

    developer->addWidget(Copyright);
    developer->addWidget(Comments);
    developer->addStretch(1);
    developer->addWidget(lblEmail1);
    developer->addWidget(lblEmail2);

    // Distributor.
    QVBoxLayout* distributor = MakePanel(host, "Panel2", icon, "lblVersion2", Panel2, ProgramIcon2,
                                         ProductName2, lblVersion2);
    lblCompany = new QLabel(tr("Общество с ограниченной ответственностью\n"
                               "«ТрекЛайн Дистрибуция»"),
                            Panel2);
    lblWeb = MakeLinkLabel(QString::fromLatin1(kDistributorWeb), Panel2);
    lblSupport = new QLabel(tr("По вопросам технической поддержки обращаться"), Panel2);
    lblSupportEmail = MakeLinkLabel(QString::fromLatin1(kSupportEmail), Panel2);

    auto* support = new QHBoxLayout;
    support->addWidget(lblSupport);
    support->addWidget(lblSupportEmail);
    support->addStretch(1);
    distributor->addWidget(lblCompany);
    distributor->addWidget(lblWeb);
    distributor->addStretch(1);
    distributor->addLayout(support);

    stack->addWidget(Panel1, 0, 0);
    stack->addWidget(Panel2, 0, 0);
    Panel2->raise();

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    auto* main = new QVBoxLayout(this);
    main->addWidget(host);
    main->addLayout(buttons);
    // A fixed dialog border: the box keeps the size its contents need.
    main->setSizeConstraint(QLayout::SetFixedSize);
}

QUrl TAboutBox::LinkTarget(const QString& text) {
    if (text.startsWith(QLatin1String(kHttpPrefix)))
        return QUrl(text, QUrl::TolerantMode);
    return QUrl(QLatin1String(kMailtoPrefix) + text, QUrl::TolerantMode);
}

void TAboutBox::LinkClick(QLabel* label) {
    const QUrl url = LinkTarget(label->text());
    if (UrlOpener)
        UrlOpener(url);
    else
        QDesktopServices::openUrl(url);
}

void TAboutBox::LinkMouseEnter(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
}

void TAboutBox::LinkMouseLeave(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(false);
    label->setFont(font);
}

void TAboutBox::showEvent(QShowEvent* event) {
    lblVersion2->setText(QString::fromLatin1(kProgramVersion));
    Version->setText(lblVersion2->text());
    if (TrueCustomer) {
        Panel2->hide();
        Panel1->setEnabled(true);
    } else {
        Panel2->show();
        Panel1->setEnabled(false);
    }
    QDialog::showEvent(event);
    // Centred on the screen rather than on the main window.
    if (QScreen* target = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(target->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (IsLinkLabel(watched)) {
        auto* label = static_cast<QLabel*>(watched);
        switch (event->type()) {
        case QEvent::Enter:
            LinkMouseEnter(label);
            break;
        case QEvent::Leave:
            LinkMouseLeave(label);
            break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                label->rect().contains(mouse->position().toPoint())) {
                LinkClick(label);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QLabel* TAboutBox::MakeLinkLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("velmoraLink", true);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kLinkColor);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

bool TAboutBox::IsLinkLabel(QObject* object) const {
    return object && object->property("velmoraLink").toBool();
}
