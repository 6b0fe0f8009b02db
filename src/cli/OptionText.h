// How the options are shown: as text, one line each, or as JSON.
#pragma once

#include <string>
#include <vector>

#include "OptionValue.h"

// One line per option, in columns: id, where it lives (desktop or device),
// value, default, caption.
std::string OptionTable(const std::vector<TOptionValue>& Values);

// One JSON object: id, where, type ("boolean" or "integer"), value and
// default (true or false for a Boolean option), caption and description.
std::string OptionJson(const TOptionValue& Value);
// A JSON array of such objects.
std::string OptionsJson(const std::vector<TOptionValue>& Values);
