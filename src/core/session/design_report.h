#pragma once
// Reports of a designed field for batch work: a readable summary and one
// JSON object with every record, station and Yardbook total.

#include <functional>
#include <string>

#include "core/base/json_writer.h"
#include "core/session/session.h"

namespace tarnwick {

// The design as one JSON object, one member per line, and a line break;
// `more` adds a command's own members after the design's.
void writeDesignJson(JsonWriter& w, const Session& s, const std::function<void(JsonWriter&)>& more = {});
std::string designJson(const Session& s, const std::function<void(JsonWriter&)>& more = {});

std::string designSummaryText(const Session& s);

}  // namespace tarnwick
