#pragma once

#include "link/PortListing.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QComboBox;

// Keeps an editable combo box's list of serial ports: each item's text is
// the port name (what the operator picks and what is stored), its popup row
// shows the description, USB ids and by-id name. While the box is visible
// the list follows adapters being plugged in and out; the operator's text
// is never touched by that.
class TPortListBox : public QObject {
    Q_OBJECT
public:
    // The item role that holds the popup's label.
    static constexpr int kLabelRole = Qt::UserRole + 1;

    // Fills the list; false when no port list can be had.
    using TPortSource = std::function<bool(QList<TPortListEntry>& entries)>;

    explicit TPortListBox(QComboBox* box);

    // Where the ports come from (the system's ports unless a test says otherwise).
    void SetSource(TPortSource source) { FSource = std::move(source); }

    // Rebuilds the list from the ports present; without a port list to take
    // the previous items stay.
    void Fill();
    // Rebuilds only when the ports changed, keeping the edit text and cursor.
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetItems(const QList<TPortListEntry>& entries);

    QComboBox* FBox;
    TPortSource FSource;
    QTimer FPoll;
    QStringList FLabels;
};
