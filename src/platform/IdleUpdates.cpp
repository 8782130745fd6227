#include "platform/IdleUpdates.h"

#include <QAbstractEventDispatcher>
#include <QThread>

namespace platform {

IdleUpdates::IdleUpdates(QObject* parent)
    : QObject(parent) {
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleUpdates::runAll);
}

void IdleUpdates::add(std::function<void()> rule) {
    rules_.push_back(std::move(rule));
}

void IdleUpdates::runAll() {
    for (const auto& rule : rules_)
        rule();
}

} // namespace platform
