#pragma once
// Named values kept with the container's design data. A value equal to its
// default is not stored; reading a missing name gives the reader's default.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

struct FontSpec {
    std::wstring face;
    double points = 9.75;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 128;   // Shift-JIS

    bool operator==(const FontSpec& other) const
    {
        return face == other.face && points == other.points && weight == other.weight && italic == other.italic &&
               underline == other.underline && strikethrough == other.strikethrough && charset == other.charset;
    }
};

using StoredValue = std::variant<bool, std::int32_t, std::wstring, FontSpec>;

class PropertyStore {
public:
    void write(const std::string& key, const StoredValue& value, const StoredValue& defaultValue);
    StoredValue read(const std::string& key, const StoredValue& defaultValue) const;
    bool contains(const std::string& key) const;
    // The names stored, in the order they were written.
    std::vector<std::string> keys() const;

private:
    std::vector<std::pair<std::string, StoredValue>> values_;
};

// Conversions of a stored value to a property's type; empty when it cannot convert.
std::optional<bool> AsBoolean(const StoredValue& value);
std::optional<std::int32_t> AsInteger(const StoredValue& value, std::int32_t low, std::int32_t high);
std::optional<std::wstring> AsText(const StoredValue& value);
