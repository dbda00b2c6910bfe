#include "ParamFindBar.h"

#include "profile/DevCommands.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>

namespace {
constexpr int kFieldWidth = 240;
constexpr int kFrameMargin = 2;
constexpr int kFrameLineWidth = 2;
const QColor kFrameColor(0xE0, 0x80, 0x00);
const QColor kNotFoundColor(0xFF, 0xD0, 0xD0);

QScrollArea* EnclosingScrollArea(QWidget* w) {
    for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p))
            return area;
    return nullptr;
}

} // namespace

TParamFindBar::TParamFindBar(QTabWidget* pages, TLocate locate, QWidget* parent)
    : QWidget(parent), FPages(pages), FLocate(std::move(locate)) {
    setObjectName(QStringLiteral("FindBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* caption = new QLabel(tr("Найти:"), this);
    Field = new QLineEdit(this);
    Field->setObjectName(QStringLiteral("FindField"));
    Field->setFixedWidth(kFieldWidth);
    Field->setClearButtonEnabled(true);
    Field->setToolTip(tr("Часть имени команды или описания параметра; Enter - следующее"));
    caption->setBuddy(Field);
    Status = new QLabel(this);
    Status->setObjectName(QStringLiteral("FindStatus"));
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("×"));
    close->setToolTip(tr("Закрыть поиск"));
    close->setAutoRaise(true);
    layout->addWidget(caption);
    layout->addWidget(Field);
    layout->addWidget(Status, 1);
    layout->addWidget(close);
    connect(Field, &QLineEdit::textChanged, this, [this](const QString& text) { Search(text); });
    connect(Field, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    connect(close, &QToolButton::clicked, this, [this] { Close(); });
    Field->installEventFilter(this);
    hide();
}

void TParamFindBar::Open() {
    show();
    Field->setFocus(Qt::ShortcutFocusReason);
    Field->selectAll();
    if (!Field->text().isEmpty() && !FShown)
        Search(Field->text());
}

void TParamFindBar::Close() {
    QPointer<QWidget> target = FShown;
    ClearHighlight();
    hide();
    if (target && target->isEnabled())
        target->setFocus(Qt::OtherFocusReason);
}

void TParamFindBar::Search(const QString& text) {
    FMatches.clear();
    // Only what the operator can reach counts: pages the settings disable
    // are skipped.
    for (const TParamMatch& match : FindParameters(DevCommands, text))
        if (FPages->isTabEnabled(match.Page) && FLocate(match))
            FMatches.append(match);
    FCurrent = -1;
    if (FMatches.isEmpty()) {
        ClearHighlight();
        const bool notFound = !text.trimmed().isEmpty();
        Status->setText(notFound ? tr("Не найдено") : QString());
        QPalette palette;
        if (notFound)
            palette.setColor(QPalette::Base, kNotFoundColor);
        Field->setPalette(palette);
        return;
    }
    Field->setPalette(QPalette());
    Show(0);
}

void TParamFindBar::FindNext() {
    if (FMatches.isEmpty()) {
        Search(Field->text());
        return;
    }
    Show(NextMatch(FMatches.size(), FCurrent));
}

void TParamFindBar::Show(int index) {
    ClearHighlight();
    FCurrent = index;
    const TParamMatch& match = FMatches[index];
    QWidget* control = FLocate(match);
    if (!control)
        return;
    FPages->setCurrentIndex(match.Page);
    if (QScrollArea* area = EnclosingScrollArea(control))
        area->ensureWidgetVisible(control);
    FShown = control;
    // A frame around the control shows where the match is while the field
    // keeps the keyboard.
    if (QWidget* holder = control->parentWidget()) {
        auto* frame = new QFrame(holder);
        frame->setObjectName(QStringLiteral("FindHighlight"));
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(kFrameLineWidth);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::WindowText, kFrameColor);
        frame->setPalette(palette);
        frame->setGeometry(
            control->geometry().adjusted(-kFrameMargin, -kFrameMargin, kFrameMargin, kFrameMargin));
        frame->show();
        frame->raise();
        FFrame = frame;
    }
    Status->setText(tr("%1 из %2").arg(index + 1).arg(FMatches.size()));
}

void TParamFindBar::ClearHighlight() {
    delete FFrame;
    FShown = nullptr;
}

bool TParamFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Field && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
