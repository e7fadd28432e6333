#pragma once
// A small streaming JSON writer: objects, arrays, strings with escapes, numbers that keep nine
// significant digits (enough to give back any float).
#include <string>
#include <vector>

namespace VelaRun {

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // Inside an object: the name of the next value.
    void Key(const std::string& name);
    void String(const std::string& value);
    void Number(double value);
    void Bool(bool value);
    void Null();

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void WriteString(const std::string& value);

    std::string text_;
    // One entry per open container: whether it already holds a value.
    std::vector<bool> hasValue_;
    bool afterKey_ = false;
};

}  // namespace VelaRun
