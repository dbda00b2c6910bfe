#pragma once

#include <QObject>
#include <QString>

// A simulated tracker on a pseudo-terminal.
class TTrackerSim : public QObject {
    Q_OBJECT
public:
    explicit TTrackerSim(QObject* parent = nullptr);
    ~TTrackerSim() override;
};
