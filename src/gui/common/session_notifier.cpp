#include "gui/common/session_notifier.h"

namespace tarnwick {

SessionNotifier::SessionNotifier(Session& session, QObject* parent)
    : QObject(parent), session_(session), relay_(*this) {
    session_.addListener(&relay_);
}

SessionNotifier::~SessionNotifier() {
    session_.removeListener(&relay_);
}

void SessionNotifier::Relay::changed(const Changes& c) {
    if (c.replaced) {
        emit n_.fieldReplaced();
        emit n_.stateChanged();
        return;
    }
    if (c.survey || c.sectors) emit n_.surveyChanged();
    if (c.preferences) emit n_.preferencesChanged();
    if (c.results) emit n_.resultsChanged();
    if (c.cursor || c.options || c.fileName || c.sectors) emit n_.stateChanged();
}

}  // namespace tarnwick
