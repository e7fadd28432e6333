#pragma once
// Small writers shared by the component dumps.
#include "tools/vela-run/JsonWriter.h"

namespace VelaRun {

inline void NumberField(JsonWriter& json, const char* key, double value) {
    json.Key(key);
    json.Number(value);
}

inline void BoolField(JsonWriter& json, const char* key, bool value) {
    json.Key(key);
    json.Bool(value);
}

inline void PairField(JsonWriter& json, const char* key, float x, float y) {
    json.Key(key);
    json.BeginArray();
    json.Number(x);
    json.Number(y);
    json.EndArray();
}

}  // namespace VelaRun
