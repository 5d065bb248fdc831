#include "profile.h"

#include <cstdio>

#include "platform/text.h"

namespace platform {

template <typename T>
const T* CMemoryProfile::Get(const std::u16string& section, const std::u16string& key) const {
    const auto found = values.find({section, key});
    return found == values.end() ? nullptr : std::get_if<T>(&found->second);
}

void CMemoryProfile::Put(const std::u16string& section, const std::u16string& key, Value value) {
    values[{section, key}] = std::move(value);
    OnChanged();
}

int CMemoryProfile::GetInt(const std::u16string& section, const std::u16string& key, int defaultValue) const {
    const int* value = Get<int>(section, key);
    return value ? *value : defaultValue;
}

void CMemoryProfile::WriteInt(const std::u16string& section, const std::u16string& key, int value) {
    Put(section, key, value);
}

std::u16string CMemoryProfile::GetString(const std::u16string& section, const std::u16string& key,
                                         const std::u16string& defaultValue) const {
    const std::u16string* value = Get<std::u16string>(section, key);
    return value ? *value : defaultValue;
}

void CMemoryProfile::WriteString(const std::u16string& section, const std::u16string& key,
                                 const std::u16string& value) {
    Put(section, key, value);
}

bool CMemoryProfile::GetBinary(const std::u16string& section, const std::u16string& key,
                               std::vector<uint8_t>& out) const {
    const auto* value = Get<std::vector<uint8_t>>(section, key);
    if (!value) return false;
    out = *value;
    return true;
}

void CMemoryProfile::WriteBinary(const std::u16string& section, const std::u16string& key,
                                 const std::vector<uint8_t>& value) {
    Put(section, key, value);
}

void CMemoryProfile::DeleteValue(const std::u16string& section, const std::u16string& key) {
    if (values.erase({section, key}) > 0) OnChanged();
}

std::optional<std::string> GetBoundedText(const CProfile& profile, const std::u16string& section,
                                          const std::u16string& key, size_t maxBytes) {
    std::string text = WideToUtf8(profile.GetString(section, key, u""));
    if (text.size() > maxBytes) return std::nullopt;
    return text;
}

void ReportTooLong(const std::u16string& section, const std::u16string& key, size_t maxBytes) {
    std::fprintf(stderr, "veltro: setting %s/%s is longer than %zu bytes and is ignored\n", WideToUtf8(section).c_str(),
                 WideToUtf8(key).c_str(), maxBytes);
}

std::string ReadBoundedText(const CProfile& profile, const std::u16string& section, const std::u16string& key,
                            size_t maxBytes) {
    std::optional<std::string> text = GetBoundedText(profile, section, key, maxBytes);
    if (!text) ReportTooLong(section, key, maxBytes);
    return text.value_or("");
}

}  // namespace platform
