#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

namespace platform {

// Update rules run when the application is idle: once the events at hand
// have been handled, after anything happened (input, painting, posted
// events). Commands keep their visible and enabled states this way.
class IdleUpdates : public QObject {
    Q_OBJECT
public:
    explicit IdleUpdates(QObject* parent = nullptr);
    ~IdleUpdates() override;
    void add(std::function<void()> rule);
    // Runs every rule now.
    void runAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::function<void()>> rules_;
    QTimer idle_;
};

} // namespace platform
