#pragma once
// The per-user store of preferences: a key file in the configuration folder, replaced atomically on
// each change by a writer thread, so that a change never waits for the disk.
#include "platform/ordered_map.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace quillane::platform {

class Preferences {
public:
    // A stored map keeps at most this many entries, the newest, and no key longer than this many
    // bytes: so that every map at its fullest still fits in what the store reads back.
    static constexpr std::size_t mostEntries = 1000;
    static constexpr std::size_t longestKey = 300;
    // The most of the file that is read: a larger file keeps its whole lines within this many bytes.
    static constexpr std::size_t largestFile = 8 << 20;

    // Keeps its file, "preferences.ini", in the given folder (created on the first write).
    explicit Preferences(std::string folder);
    // Waits for the last change to be written.
    ~Preferences();
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    // $XDG_CONFIG_HOME/quillane, or ~/.config/quillane.
    static std::string defaultFolder();
    std::string path() const;

    // A value that answers a Boolean read while the key holds nothing; kept in memory only.
    void registerDefault(const std::string& key, bool value);

    // Each read answers nothing when the key is absent or holds a value of another type. Reads see
    // every change at once, written yet or not.
    std::optional<bool> boolean(const std::string& key) const;
    std::optional<std::string> text(const std::string& key) const;
    std::optional<OrderedMap<bool>> dictionary(const std::string& key) const;
    std::optional<OrderedMap<double>> numbers(const std::string& key) const;

    // Each change is kept at once and its writing begun; the answer says whether it was kept (a text
    // that is not UTF-8 is refused) and its writing could begin. A write that fails later is told on
    // standard error and by flush(). A map keeps its newest mostEntries entries, and none whose key
    // is longer than longestKey.
    bool setBoolean(const std::string& key, bool value);
    bool setText(const std::string& key, const std::string& value);
    bool setDictionary(const std::string& key, const OrderedMap<bool>& value);
    bool setNumbers(const std::string& key, const OrderedMap<double>& value);
    bool remove(const std::string& key);

    // Waits until every change so far is written; whether the last write succeeded.
    bool flush();

    // Reads the file again, so changes written by another process are seen.
    void reload();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
