// JSON text, written by hand: a handful of field kinds do not justify a library.
#include "ctl/JsonText.h"

#include "base/StrFormat.h"

void JsonText::Key(const std::string& key)
{
    if (!body_.empty()) body_ += ", ";
    body_ += Quote(key) + ": ";
}

JsonText& JsonText::Add(const std::string& key, const std::string& text)
{
    Key(key);
    body_ += Quote(text);
    return *this;
}

JsonText& JsonText::Add(const std::string& key, long long number)
{
    Key(key);
    body_ += std::to_string(number);
    return *this;
}

JsonText& JsonText::Add(const std::string& key, bool flag)
{
    Key(key);
    body_ += flag ? "true" : "false";
    return *this;
}

JsonText& JsonText::Add(const std::string& key, const std::vector<std::string>& texts)
{
    std::vector<std::string> quoted;
    for (const std::string& text : texts) quoted.push_back(Quote(text));
    return AddRaw(key, List(quoted));
}

JsonText& JsonText::AddRaw(const std::string& key, const std::string& json)
{
    Key(key);
    body_ += json;
    return *this;
}

JsonText& JsonText::Merge(const JsonText& other)
{
    if (!other.body_.empty()) body_ += (body_.empty() ? "" : ", ") + other.body_;
    return *this;
}

std::string JsonText::Quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            out += StrFormat("\\u%04x", byte);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonText::List(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
    return out + "]";
}
