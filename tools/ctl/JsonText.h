// The companion's machine-readable output: one JSON object per camera, built field by field.
#pragma once

#include <string>
#include <vector>

class JsonText {
public:
    JsonText& Add(const std::string& key, const std::string& text);
    JsonText& Add(const std::string& key, const char* text) { return Add(key, std::string(text)); }
    JsonText& Add(const std::string& key, long long number);
    JsonText& Add(const std::string& key, int number) { return Add(key, static_cast<long long>(number)); }
    JsonText& Add(const std::string& key, bool flag);
    JsonText& Add(const std::string& key, const std::vector<std::string>& texts);
    // A value that is JSON already (an object or a list built with this class).
    JsonText& AddRaw(const std::string& key, const std::string& json);

    // Appends the other object's fields after this one's.
    JsonText& Merge(const JsonText& other);

    // "{...}".
    std::string Object() const { return "{" + body_ + "}"; }

    // A quoted, escaped JSON string (control characters as \u00XX; bytes of 0x80 and up pass unchanged,
    // so UTF-8 stays UTF-8).
    static std::string Quote(const std::string& text);
    // "[a, b]" of values that are JSON already.
    static std::string List(const std::vector<std::string>& items);

private:
    void Key(const std::string& key);
    std::string body_;
};
