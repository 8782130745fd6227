#pragma once

#include <QObject>
#include <functional>
#include <vector>

namespace platform {

// Update rules run whenever the application is idle (its event loop is about
// to wait), as commands' visible and enabled states are kept.
class IdleUpdates : public QObject {
    Q_OBJECT
public:
    explicit IdleUpdates(QObject* parent = nullptr);
    void add(std::function<void()> rule);
    // Runs every rule now.
    void runAll();

private:
    std::vector<std::function<void()>> rules_;
};

} // namespace platform
