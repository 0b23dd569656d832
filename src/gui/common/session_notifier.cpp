#include "gui/common/session_notifier.h"

namespace tarnwick {

SessionNotifier::SessionNotifier(Session& session, QObject* parent)
    : QObject(parent), session_(session), relay_(*this) {
    qRegisterMetaType<tarnwick::Rect>();
    qRegisterMetaType<tarnwick::Changes>();
    session_.addListener(&relay_);
}

SessionNotifier::~SessionNotifier() {
    session_.removeListener(&relay_);
}

void SessionNotifier::Relay::changed(const Changes& c) {
    if (c.replaced) {
        emit n_.fieldReplaced();
    } else {
        if (c.preferences) emit n_.preferencesChanged();
        if (c.sectors) emit n_.sectorsChanged();
        if (c.survey) emit n_.surveyChanged(*c.survey);
        if (c.results) emit n_.resultsChanged();
        if (c.options) emit n_.optionsChanged();
        if (c.cursor) emit n_.cursorChanged();
        if (c.fileName) emit n_.fileNameChanged();
    }
    emit n_.changed(c);
}

}  // namespace tarnwick
