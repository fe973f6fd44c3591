#pragma once
// The per-user store of preferences: a key file in the configuration folder, written atomically.
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace quillane::platform {

class Preferences {
public:
    // Keeps its file, "preferences.ini", in the given folder (created on the first write).
    explicit Preferences(std::string folder);
    ~Preferences();
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    // $XDG_CONFIG_HOME/quillane, or ~/.config/quillane.
    static std::string defaultFolder();
    std::string path() const;

    // A value that answers a Boolean read while the key holds nothing; kept in memory only.
    void registerDefault(const std::string& key, bool value);

    // Each read answers nothing when the key is absent or holds a value of another type.
    std::optional<bool> boolean(const std::string& key) const;
    std::optional<std::string> text(const std::string& key) const;
    std::optional<std::map<std::string, bool>> dictionary(const std::string& key) const;
    std::optional<std::map<std::string, double>> numbers(const std::string& key) const;

    // Each change is written at once; the answer says whether the file was written.
    bool setBoolean(const std::string& key, bool value);
    bool setText(const std::string& key, const std::string& value);
    bool setDictionary(const std::string& key, const std::map<std::string, bool>& value);
    bool setNumbers(const std::string& key, const std::map<std::string, double>& value);
    bool remove(const std::string& key);

    // Reads the file again, so changes written by another process are seen.
    void reload();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
