#pragma once
// The "Survey" page: the Survey grid over the "Row/Column Profiles" chart.

#include <QWidget>

namespace tarnwick {

class Session;

class SurveyPage : public QWidget {
    Q_OBJECT
public:
    SurveyPage(Session& session, QWidget* parent = nullptr);

private:
    Session& session_;
};

}  // namespace tarnwick
