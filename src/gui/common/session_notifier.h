#pragma once
// The session's change notifications as Qt signals, so widgets and models
// connect to what they show.

#include <QObject>

#include "core/session/session.h"

namespace tarnwick {

class SessionNotifier : public QObject {
    Q_OBJECT
public:
    explicit SessionNotifier(Session& session, QObject* parent = nullptr);
    ~SessionNotifier() override;

    Session& session() const { return session_; }

signals:
    void surveyChanged();
    void resultsChanged();
    void fieldReplaced();
    void preferencesChanged();
    void stateChanged();

private:
    class Relay : public SessionListener {
    public:
        explicit Relay(SessionNotifier& n) : n_(n) {}
        void changed(const Changes& c) override;

    private:
        SessionNotifier& n_;
    };

    Session& session_;
    Relay relay_;
};

}  // namespace tarnwick
