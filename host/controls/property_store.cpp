#include "property_store.h"

#include <cwchar>

void PropertyStore::write(const std::string& key, const StoredValue& value, const StoredValue& defaultValue)
{
    for (auto it = values_.begin(); it != values_.end(); ++it) {
        if (it->first == key) {
            values_.erase(it);
            break;
        }
    }
    if (value == defaultValue) return;
    values_.push_back({key, value});
}

StoredValue PropertyStore::read(const std::string& key, const StoredValue& defaultValue) const
{
    for (const auto& entry : values_) {
        if (entry.first == key) return entry.second;
    }
    return defaultValue;
}

bool PropertyStore::contains(const std::string& key) const
{
    for (const auto& entry : values_) {
        if (entry.first == key) return true;
    }
    return false;
}

std::vector<std::string> PropertyStore::keys() const
{
    std::vector<std::string> names;
    for (const auto& entry : values_) names.push_back(entry.first);
    return names;
}

std::optional<bool> AsBoolean(const StoredValue& value)
{
    if (const bool* flag = std::get_if<bool>(&value)) return *flag;
    if (const std::int32_t* number = std::get_if<std::int32_t>(&value)) return *number != 0;
    return std::nullopt;
}

std::optional<std::int32_t> AsInteger(const StoredValue& value, std::int32_t low, std::int32_t high)
{
    std::int64_t number = 0;
    if (const std::int32_t* stored = std::get_if<std::int32_t>(&value)) {
        number = *stored;
    } else if (const bool* flag = std::get_if<bool>(&value)) {
        number = *flag ? -1 : 0;
    } else if (const std::wstring* text = std::get_if<std::wstring>(&value)) {
        wchar_t* end = nullptr;
        number = std::wcstoll(text->c_str(), &end, 10);
        if (text->empty() || end == nullptr || *end != L'\0') return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (number < low || number > high) return std::nullopt;
    return static_cast<std::int32_t>(number);
}

std::optional<std::wstring> AsText(const StoredValue& value)
{
    if (const std::wstring* text = std::get_if<std::wstring>(&value)) return *text;
    if (const std::int32_t* number = std::get_if<std::int32_t>(&value)) return std::to_wstring(*number);
    if (const bool* flag = std::get_if<bool>(&value)) return std::wstring(*flag ? L"True" : L"False");
    return std::nullopt;
}
