#include "helpfile/help_contents.h"

#include <optional>

#include "calc/plain_text.h"

namespace corvane::helpfile {

namespace {

using text::EqualIgnoringCase;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// &amp; &lt; &gt; &quot; &apos; &#39; and the like; anything else is kept.
std::string Decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos || semicolon - i > 8) {
            out += text[i];
            continue;
        }
        const std::string_view entity = text.substr(i + 1, semicolon - i - 1);
        std::optional<char> c;
        if (EqualIgnoringCase(entity, "amp")) c = '&';
        if (EqualIgnoringCase(entity, "lt")) c = '<';
        if (EqualIgnoringCase(entity, "gt")) c = '>';
        if (EqualIgnoringCase(entity, "quot")) c = '"';
        if (EqualIgnoringCase(entity, "apos") || entity == "#39") c = '\'';
        if (!c) {
            out += text[i];
            continue;
        }
        out += *c;
        i = semicolon;
    }
    return out;
}

// One tag: its name (lower case, "/" first for a closing tag) and its
// attributes, read from just after '<' up to and including its '>'.
struct Tag {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;

    std::string Attribute(std::string_view wanted) const {
        for (const auto& [key, value] : attributes)
            if (EqualIgnoringCase(key, wanted)) return value;
        return {};
    }
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // The next tag; nothing once the text ends. Comments are passed over.
    std::optional<Tag> Next() {
        for (;;) {
            pos_ = text_.find('<', pos_);
            if (pos_ == std::string_view::npos) return std::nullopt;
            if (text_.substr(pos_, 4) == "<!--") {
                const std::size_t end = text_.find("-->", pos_ + 4);
                pos_ = end == std::string_view::npos ? text_.size() : end + 3;
                continue;
            }
            ++pos_;
            return ReadTag();
        }
    }

private:
    Tag ReadTag() {
        Tag tag;
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == '/') {
            tag.name = "/";
            ++pos_;
        }
        tag.name += text::Lower(Word());
        for (;;) {
            SkipSpace();
            if (pos_ >= text_.size()) return tag;
            if (text_[pos_] == '>') {
                ++pos_;
                return tag;
            }
            std::string key = Word();
            if (key.empty()) {  // a stray character such as '/'
                ++pos_;
                continue;
            }
            SkipSpace();
            std::string value;
            if (pos_ < text_.size() && text_[pos_] == '=') {
                ++pos_;
                SkipSpace();
                value = Decoded(Value());
            }
            tag.attributes.emplace_back(std::move(key), std::move(value));
        }
    }

    std::string Word() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '>' &&
               text_[pos_] != '=' && text_[pos_] != '/' && text_[pos_] != '<')
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string_view Value() {
        if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\'')) {
            const char quote = text_[pos_++];
            const std::size_t end = std::min(text_.find(quote, pos_), text_.size());
            const std::string_view value = text_.substr(pos_, end - pos_);
            pos_ = std::min(end + 1, text_.size());
            return value;
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != '>') ++pos_;
        return text_.substr(start, pos_ - start);
    }

    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<ContentsEntry> ParseContents(std::string_view sitemap) {
    std::vector<ContentsEntry> entries;
    std::vector<int> parents;           // per open list: the depth of its parent, -1 at the top
    std::optional<ContentsEntry> item;  // inside <OBJECT> ... </OBJECT>
    Scanner scanner(sitemap);
    while (const auto tag = scanner.Next()) {
        if (tag->name == "ul") {
            parents.push_back(entries.empty() ? -1 : entries.back().depth);
        } else if (tag->name == "/ul") {
            if (!parents.empty()) parents.pop_back();
        } else if (tag->name == "object") {
            item.emplace();
        } else if (tag->name == "param" && item) {
            const std::string key = tag->Attribute("name");
            if (EqualIgnoringCase(key, "Name")) item->name = tag->Attribute("value");
            if (EqualIgnoringCase(key, "Local")) item->local = tag->Attribute("value");
        } else if (tag->name == "/object" && item) {
            if (!item->name.empty()) {
                item->depth = parents.empty() ? 0 : parents.back() + 1;
                entries.push_back(std::move(*item));
            }
            item.reset();
        }
    }
    return entries;
}

}  // namespace corvane::helpfile
