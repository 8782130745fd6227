#include "platform/IdleUpdates.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform {

IdleUpdates::IdleUpdates(QObject* parent)
    : QObject(parent) {
    // A zero timer fires once the queue of pending events is empty.
    idle_.setSingleShot(true);
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, &IdleUpdates::runAll);
    QCoreApplication::instance()->installEventFilter(this);
    idle_.start();
}

IdleUpdates::~IdleUpdates() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void IdleUpdates::add(std::function<void()> rule) {
    rules_.push_back(std::move(rule));
    idle_.start();
}

void IdleUpdates::runAll() {
    for (const auto& rule : rules_)
        rule();
}

bool IdleUpdates::eventFilter(QObject*, QEvent* event) {
    // Timer events alone change nothing the rules look at (and our own
    // timer's would wake us for ever).
    if (event->type() != QEvent::Timer && !idle_.isActive())
        idle_.start();
    return false;
}

} // namespace platform
