// Test helper: a minimal JSON reader, strict enough to fail on anything a script's parser would refuse
// (trailing commas, bare words, unescaped control characters, text after the value).
#pragma once

#include <cctype>
#include <map>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool flag = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> fields;

    const JsonValue& operator[](const std::string& key) const
    {
        static const JsonValue none;
        const auto it = fields.find(key);
        return it == fields.end() ? none : it->second;
    }
};

class JsonReader {
public:
    // True when the whole text is one JSON value (surrounding white space allowed).
    static bool Parse(const std::string& text, JsonValue& out)
    {
        JsonReader reader(text);
        if (!reader.Value(out, 0)) return false;
        reader.Blank();
        return reader.pos_ == text.size();
    }

private:
    explicit JsonReader(const std::string& text) : text_(text) {}

    void Blank()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool Take(char c)
    {
        Blank();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Word(const char* word)
    {
        const std::string w(word);
        if (text_.compare(pos_, w.size(), w) != 0) return false;
        pos_ += w.size();
        return true;
    }
    bool String(std::string& out)
    {
        if (!Take('"')) return false;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) return false;
            const char e = text_[pos_++];
            static const std::string kEscapes = "\"\\/nrtbf";
            static const std::string kMeanings = "\"\\/\n\r\t\b\f";
            if (const std::size_t at = kEscapes.find(e); at != std::string::npos) {
                out += kMeanings[at];
                continue;
            }
            if (e != 'u' || pos_ + 4 > text_.size()) return false;
            const unsigned code = static_cast<unsigned>(std::stoul(text_.substr(pos_, 4), nullptr, 16));
            pos_ += 4;
            if (code >= 0x80) return false;  // the companion escapes only control characters
            out += static_cast<char>(code);
        }
        return false;
    }
    bool Value(JsonValue& out, int depth)
    {
        if (depth > 32) return false;
        Blank();
        if (pos_ >= text_.size()) return false;
        const char c = text_[pos_];
        if (c == '{') {
            ++pos_;
            out.kind = JsonValue::Kind::Object;
            if (Take('}')) return true;
            do {
                std::string key;
                JsonValue value;
                if (!String(key) || !Take(':') || !Value(value, depth + 1)) return false;
                out.fields[key] = value;
            } while (Take(','));
            return Take('}');
        }
        if (c == '[') {
            ++pos_;
            out.kind = JsonValue::Kind::Array;
            if (Take(']')) return true;
            do {
                JsonValue value;
                if (!Value(value, depth + 1)) return false;
                out.items.push_back(value);
            } while (Take(','));
            return Take(']');
        }
        if (c == '"') {
            out.kind = JsonValue::Kind::String;
            return String(out.text);
        }
        if (Word("true")) {
            out.kind = JsonValue::Kind::Bool;
            out.flag = true;
            return true;
        }
        if (Word("false")) {
            out.kind = JsonValue::Kind::Bool;
            return true;
        }
        if (Word("null")) return true;
        const std::size_t start = pos_;
        if (text_[pos_] == '-') ++pos_;
        const std::size_t digits = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        if (pos_ == digits) return false;
        out.kind = JsonValue::Kind::Number;
        out.number = std::stod(text_.substr(start, pos_ - start));
        return true;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};
