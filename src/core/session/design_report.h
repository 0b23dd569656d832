#pragma once
// Reports of a designed field for batch work: a readable summary and one
// JSON object with every record, station and Yardbook total.

#include <string>

#include "core/session/session.h"

namespace tarnwick {

// Numbers in the shortest form that reads back to the same double.
std::string jsonNumber(double v);
std::string jsonString(const std::string& s);

// The JSON members of the design, without the surrounding braces, so that
// commands can add members of their own.
std::string designJsonMembers(const Session& s);
std::string designJson(const Session& s);

std::string designSummaryText(const Session& s);

}  // namespace tarnwick
