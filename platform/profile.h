#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// The application profile: the handheld's registry under the company and application keys.
// Sections ("Settings", "Database\\Completer", ...) hold named integer, string and binary values.
namespace platform {

class CProfile {
public:
    virtual ~CProfile() = default;

    virtual int GetInt(const std::u16string& section, const std::u16string& key, int defaultValue) const = 0;
    virtual void WriteInt(const std::u16string& section, const std::u16string& key, int value) = 0;
    virtual std::u16string GetString(const std::u16string& section, const std::u16string& key,
                                     const std::u16string& defaultValue) const = 0;
    virtual void WriteString(const std::u16string& section, const std::u16string& key, const std::u16string& value) = 0;
    // False (and out untouched) when the value is missing or not binary.
    virtual bool GetBinary(const std::u16string& section, const std::u16string& key,
                           std::vector<uint8_t>& out) const = 0;
    virtual void WriteBinary(const std::u16string& section, const std::u16string& key,
                             const std::vector<uint8_t>& value) = 0;
    virtual void DeleteValue(const std::u16string& section, const std::u16string& key) = 0;
};

// A profile held in memory only: the store for tests, and the base of the persisted profile.
class CMemoryProfile : public CProfile {
public:
    using Value = std::variant<int, std::u16string, std::vector<uint8_t>>;
    using Store = std::map<std::pair<std::u16string, std::u16string>, Value>;

    int GetInt(const std::u16string& section, const std::u16string& key, int defaultValue) const override;
    void WriteInt(const std::u16string& section, const std::u16string& key, int value) override;
    std::u16string GetString(const std::u16string& section, const std::u16string& key,
                             const std::u16string& defaultValue) const override;
    void WriteString(const std::u16string& section, const std::u16string& key, const std::u16string& value) override;
    bool GetBinary(const std::u16string& section, const std::u16string& key, std::vector<uint8_t>& out) const override;
    void WriteBinary(const std::u16string& section, const std::u16string& key,
                     const std::vector<uint8_t>& value) override;
    void DeleteValue(const std::u16string& section, const std::u16string& key) override;

    const Store& Values() const { return values; }

protected:
    virtual void OnChanged() {}
    Store values;

private:
    template <typename T>
    const T* Get(const std::u16string& section, const std::u16string& key) const;
    void Put(const std::u16string& section, const std::u16string& key, Value value);
};

// The profile is a file the user may have filled with anything, so a text that becomes a path, a
// name or a command line is taken only up to a length; PATH_MAX bounds the paths.
inline constexpr size_t kMaxProfilePath = 4096;

// The text value in UTF-8, or nullopt when it is longer than maxBytes.
std::optional<std::string> GetBoundedText(const CProfile& profile, const std::u16string& section,
                                          const std::u16string& key, size_t maxBytes);
// One short line on stderr that names the setting refused for its length, not its value.
void ReportTooLong(const std::u16string& section, const std::u16string& key, size_t maxBytes);
// The bounded text; a longer one is reported and read as the empty text.
std::string ReadBoundedText(const CProfile& profile, const std::u16string& section, const std::u16string& key,
                            size_t maxBytes);

}  // namespace platform
