#include "survey_page.h"

#include "session.h"

namespace tarnwick {

SurveyPage::SurveyPage(Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName("SurveyPage");
}

}  // namespace tarnwick
