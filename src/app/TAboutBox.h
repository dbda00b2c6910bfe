#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

// The version both panels show.
constexpr char kProgramVersion[] = "3.1.0";

// "О программе": the developer's panel (Panel1) under the distributor's
// (Panel2); TrueCustomer decides on every show which one is seen.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // What a link label's text opens: "http://…" as it stands (letter case
    // counts), anything else as an e-mail address.
    static QUrl LinkTarget(const QString& text);

    // Opens an address with the desktop's handler; tests put their own here.
    // The result is not checked.
    static std::function<void(const QUrl&)> UrlOpener;

    // Developer.
    QWidget* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;
    QLabel* lblEmail1 = nullptr;
    QLabel* lblEmail2 = nullptr;

    // Distributor.
    QWidget* Panel2 = nullptr;
    QLabel* ProgramIcon2 = nullptr;
    QLabel* ProductName2 = nullptr;
    QLabel* lblVersion2 = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblWeb = nullptr;
    QLabel* lblSupport = nullptr;
    QLabel* lblSupportEmail = nullptr;

    QPushButton* OKButton = nullptr;

    // Shared by every link label.
    void LinkClick(QLabel* label);
    void LinkMouseEnter(QLabel* label);
    void LinkMouseLeave(QLabel* label);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* MakeLinkLabel(const QString& text, QWidget* parent);
    bool IsLinkLabel(QObject* object) const;
};
