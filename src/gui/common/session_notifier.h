#pragma once
// The session's notices as Qt signals, so widgets and models connect to
// what they show. A command ends with the signals of what it changed, in
// this order, then `changed` with all of it:
//   fieldReplaced (alone: New and Open change everything), or
//   preferencesChanged, sectorsChanged, surveyChanged(cells),
//   resultsChanged, optionsChanged, cursorChanged, fileNameChanged.

#include <QMetaType>
#include <QObject>

#include "core/session/session.h"

Q_DECLARE_METATYPE(tarnwick::Rect)
Q_DECLARE_METATYPE(tarnwick::Changes)

namespace tarnwick {

class SessionNotifier : public QObject {
    Q_OBJECT
public:
    explicit SessionNotifier(Session& session, QObject* parent = nullptr);
    ~SessionNotifier() override;

    Session& session() const { return session_; }

signals:
    void fieldReplaced();
    void preferencesChanged();
    void sectorsChanged();
    // Survey cells whose text, picture or weight changed, in station columns
    // and rows (they may reach into the header row and column).
    void surveyChanged(tarnwick::Rect cells);
    void resultsChanged();
    // AutoReCalc, auto advance, the view, the design tab, "Use Best Fit Slopes".
    void optionsChanged();
    // The current cell, the selection, the remembered cell.
    void cursorChanged();
    void fileNameChanged();
    // Once per command, after the signals above.
    void changed(const tarnwick::Changes& changes);

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
