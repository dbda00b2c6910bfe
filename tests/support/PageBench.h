#pragma once

// The generated parameter pages on a plain window, without the main window:
// what they log is kept as the log pane would show it.

#include "link/LogFormat.h"
#include "pages/ParameterPages.h"
#include "profile/DevCommands.h"

#include <QStatusTipEvent>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

namespace testkit {

// About the pages' share of the main window.
constexpr int kBenchWidth = 844;
constexpr int kBenchHeight = 440;

// Keeps the hints the controls send, as a window's status bar would show them.
class TBenchWindow : public QWidget {
public:
    QString StatusTip;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::StatusTip) {
            StatusTip = static_cast<QStatusTipEvent*>(e)->tip();
            return true;
        }
        return QWidget::event(e);
    }
};

class TPageBench {
public:
    TPageBench() {
        Window.resize(kBenchWidth, kBenchHeight);
        auto* layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        Tabs = new QTabWidget(&Window);
        layout->addWidget(Tabs);
        Pages = new TParameterPages(Tabs, &Window);
        Pages->OnLog = [this](const QString& text, LogKind kind) {
            PaneLines << FormatLogLines(text, LogPrefix(kind));
        };
    }

    TBenchWindow Window;
    QTabWidget* Tabs = nullptr;
    TParameterPages* Pages = nullptr;
    QStringList PaneLines;

    // Builds the pages of the profile in DevCommands.
    void Build() { Pages->BuildPages(); }
    void Build(QVector<TCmdPage> pages) {
        DevCommands = std::move(pages);
        Pages->BuildPages();
    }
    QWidget* Control(int page, int command, int row, int param, ControlRole role) const {
        return Pages->FindControl(page, command, row, param, role);
    }
    QString Log() const { return PaneLines.join(QLatin1Char('\n')); }
    // Shown and active, so focus and keys reach the editors.
    bool Show() {
        Window.show();
        if (!QTest::qWaitForWindowExposed(&Window))
            return false;
        Window.activateWindow();
        return QTest::qWaitForWindowActive(&Window);
    }
};

} // namespace testkit
