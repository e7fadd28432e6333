#pragma once
// The record file's text: one "key<tab>value" entry per line, no line feed after the last.
#include <string>

#include "engine/scene/FieldMap.h"

namespace VelaEngine {

// Adds every entry of `text` to `values`. Carriage returns are dropped and blank lines
// skipped; a line without a tab is both key and value. A key seen before logs
// "Key already exists" and the later line wins.
void ParseRecordText(std::string text, FieldMap& values);

// The entries in the map's own order; an empty map gives an empty text. An entry whose value
// is its key is written as the bare key, the line it is read from.
std::string FormatRecordText(const FieldMap& values);

}  // namespace VelaEngine
