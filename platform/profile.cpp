#include "profile.h"

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

void CMemoryProfile::WriteString(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
    Put(section, key, value);
}

bool CMemoryProfile::GetBinary(const std::u16string& section, const std::u16string& key, std::vector<uint8_t>& out) const {
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

}  // namespace platform
