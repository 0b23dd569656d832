#include "gui/common/session_notifier.h"

namespace tarnwick {

SessionNotifier::SessionNotifier(Session& session, QObject* parent)
    : QObject(parent), session_(session), relay_(*this) {
    session_.addListener(&relay_);
}

SessionNotifier::~SessionNotifier() {
    session_.removeListener(&relay_);
}

}  // namespace tarnwick
