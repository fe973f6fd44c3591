#include "platform/preferences.h"

#include "platform/file_writer.h"
#include "platform/files.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/preferences_file.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <vector>

namespace quillane::platform {

namespace {
constexpr const char* fileName = "preferences.ini";
constexpr const char* group = "Preferences";
constexpr gint64 leftoverAgeSeconds = 2;
} // namespace

// Values are kept as GVariant text ("true", "'text'", "{'site': true}") so that each carries its type
// and any text, line feeds and unusual keys included, survives the key file.
struct Preferences::Impl {
    std::string folder;
    GKeyFilePtr file { g_key_file_new() };
    std::map<std::string, bool> registered;
    // Set when a file exists that could not be read whole; it is moved aside before we write over it.
    bool unreadable = false;
    // Set when the last change could not be written at all (an unreadable file stood in the way).
    bool refused = false;

    std::string path() const
    {
        GCharPtr joined(g_build_filename(folder.c_str(), fileName, nullptr));
        return static_cast<char*>(joined.get());
    }

    // A write cut short (the program killed in the middle of it) leaves its temporary file beside the
    // store, under a name of ours that no person would choose. A live write finishes within
    // milliseconds, so one older than a few seconds is left over and is removed; nothing else is.
    void removeLeftoverTemporaryFiles(const std::string& target)
    {
        std::string targetFolder = folderOf(target);
        GDir* dir = g_dir_open(targetFolder.c_str(), 0, nullptr);
        if (!dir)
            return;
        GCharPtr targetName(g_path_get_basename(target.c_str()));
        const gint64 now = g_get_real_time();
        while (const char* name = g_dir_read_name(dir)) {
            if (!isPartialWriteOf(name, static_cast<char*>(targetName.get())))
                continue;
            GCharPtr path(g_build_filename(targetFolder.c_str(), name, nullptr));
            GStatBuf info;
            if (g_lstat(static_cast<char*>(path.get()), &info) == 0 && S_ISREG(info.st_mode)
                && now / G_USEC_PER_SEC - info.st_mtime > leftoverAgeSeconds)
                g_unlink(static_cast<char*>(path.get()));
        }
        g_dir_close(dir);
    }

    void load()
    {
        // Our own writes not yet done would otherwise read as older values.
        FileWriter::shared().wait(path());
        std::string target = resolvedPath(path());
        removeLeftoverTemporaryFiles(target);
        file.reset(g_key_file_new());
        unreadable = false;
        if (!g_file_test(target.c_str(), G_FILE_TEST_EXISTS))
            return;
        // A FIFO or a device is never opened: reading it could wait for ever.
        auto contents = isRegularFile(target) ? readFileStart(target) : std::nullopt;
        if (!contents) {
            unreadable = true;
            std::fprintf(stderr, "quillane: could not read preferences from %s; starting from defaults\n", path().c_str());
            return;
        }
        if (!contents->whole) {
            // Every whole line within the limit is kept; the whole file is kept aside before the next write.
            unreadable = true;
            std::size_t lastLineEnd = contents->text.rfind('\n');
            contents->text.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
            file.reset(readableLines(contents->text));
            std::fprintf(stderr, "quillane: preferences in %s are larger than %zu bytes; keeping what lies within them\n", path().c_str(),
                Preferences::largestFile);
            return;
        }
        const std::string& text = contents->text;
        ErrorOut error;
        bool parsed = g_key_file_load_from_data(file.get(), text.data(), text.size(), G_KEY_FILE_KEEP_COMMENTS, error.out());
        // Every write of ours ends with a line feed: a file that does not was cut short.
        bool whole = text.empty() || text.back() == '\n';
        if (parsed && whole)
            return;
        // A file cut short or damaged keeps every line that still reads; the whole of it is kept aside
        // before the next write.
        unreadable = true;
        file.reset(readableLines(text));
        std::fprintf(stderr, "quillane: preferences in %s are damaged (%s); keeping what still reads\n", path().c_str(),
            parsed ? "cut short" : error.message());
    }

    GVariantPtr value(const std::string& key, const GVariantType* type) const
    {
        GCharPtr stored(g_key_file_get_string(file.get(), group, key.c_str(), nullptr));
        if (!stored)
            return nullptr;
        // A parsed value comes to us owned, not floating: taking a reference of our own would keep it for ever.
        GVariantPtr owned(g_variant_parse(nullptr, static_cast<char*>(stored.get()), nullptr, nullptr, nullptr));
        if (!owned || !g_variant_is_of_type(owned.get(), type))
            return nullptr;
        return owned;
    }

    bool store(const std::string& key, GVariant* floating)
    {
        GVariantPtr variant(g_variant_ref_sink(floating));
        GCharPtr printed(g_variant_print(variant.get(), TRUE));
        g_key_file_set_string(file.get(), group, key.c_str(), static_cast<char*>(printed.get()));
        return write();
    }

    bool keepUnreadableFileAside()
    {
        std::string target = resolvedPath(path());
        GCharPtr stamp(g_strdup_printf("%s.unreadable-%" G_GINT64_FORMAT, target.c_str(), g_get_real_time()));
        if (g_rename(target.c_str(), static_cast<char*>(stamp.get())) != 0 && errno != ENOENT) {
            std::fprintf(stderr, "quillane: preferences not saved: %s could not be read and could not be moved aside\n", path().c_str());
            return false;
        }
        unreadable = false;
        return true;
    }

    // The text is made here, so that it is the key file as it is now; the writer thread writes it.
    bool write()
    {
        if (unreadable && !keepUnreadableFileAside()) {
            refused = true;
            return false;
        }
        refused = false;
        FileWriter::shared().queue(path(), [folder = folder, path = path(), text = fileText(file.get())] {
            if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) {
                std::fprintf(stderr, "quillane: preferences not saved: could not create %s\n", folder.c_str());
                return false;
            }
            if (auto failure = replaceFileContents(path, text, 0600)) {
                std::fprintf(stderr, "quillane: preferences not saved to %s: %s\n", path.c_str(), failure->c_str());
                return false;
            }
            return true;
        });
        return true;
    }
};

Preferences::Preferences(std::string folder)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->folder = std::move(folder);
    m_impl->load();
}

Preferences::~Preferences()
{
    flush();
}

std::string Preferences::defaultFolder()
{
    GCharPtr folder(g_build_filename(g_get_user_config_dir(), "quillane", nullptr));
    return static_cast<char*>(folder.get());
}

std::string Preferences::path() const
{
    return m_impl->path();
}

void Preferences::registerDefault(const std::string& key, bool value)
{
    m_impl->registered[key] = value;
}

std::optional<bool> Preferences::boolean(const std::string& key) const
{
    if (auto variant = m_impl->value(key, G_VARIANT_TYPE_BOOLEAN))
        return g_variant_get_boolean(variant.get());
    if (auto registered = m_impl->registered.find(key); registered != m_impl->registered.end())
        return registered->second;
    return std::nullopt;
}

std::optional<std::string> Preferences::text(const std::string& key) const
{
    if (auto variant = m_impl->value(key, G_VARIANT_TYPE_STRING))
        return std::string(g_variant_get_string(variant.get(), nullptr));
    return std::nullopt;
}

namespace {
// A map read as stored (Stored the GVariant's own type for Value).
template <typename Value, typename Stored>
std::optional<OrderedMap<Value>> entriesOf(GVariant* variant, const char* entryFormat)
{
    if (!variant)
        return std::nullopt;
    std::vector<typename OrderedMap<Value>::Entry> entries;
    GVariantIter iter;
    g_variant_iter_init(&iter, variant);
    const char* name = nullptr;
    Stored value {};
    while (g_variant_iter_next(&iter, entryFormat, &name, &value))
        entries.emplace_back(name, Value(value));
    return OrderedMap<Value>(std::move(entries));
}

// The map as stored: its newest entries that can be kept, oldest first.
template <typename Value, typename Stored>
GVariant* storedMap(const OrderedMap<Value>& map, const char* type, const char* entryFormat)
{
    std::vector<const typename OrderedMap<Value>::Entry*> kept;
    for (const auto& entry : map) {
        const std::string& name = entry.first;
        if (name.size() <= Preferences::longestKey && g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr))
            kept.push_back(&entry);
    }
    std::size_t dropped = kept.size() > Preferences::mostEntries ? kept.size() - Preferences::mostEntries : 0;
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE(type));
    for (std::size_t index = dropped; index < kept.size(); ++index)
        g_variant_builder_add(&builder, entryFormat, kept[index]->first.c_str(), Stored(kept[index]->second));
    return g_variant_builder_end(&builder);
}
} // namespace

std::optional<OrderedMap<bool>> Preferences::dictionary(const std::string& key) const
{
    auto variant = m_impl->value(key, G_VARIANT_TYPE("a{sb}"));
    return entriesOf<bool, gboolean>(variant.get(), "{&sb}");
}

std::optional<OrderedMap<double>> Preferences::numbers(const std::string& key) const
{
    auto variant = m_impl->value(key, G_VARIANT_TYPE("a{sd}"));
    return entriesOf<double, double>(variant.get(), "{&sd}");
}

bool Preferences::setNumbers(const std::string& key, const OrderedMap<double>& value)
{
    return m_impl->store(key, storedMap<double, double>(value, "a{sd}", "{sd}"));
}

bool Preferences::setBoolean(const std::string& key, bool value)
{
    return m_impl->store(key, g_variant_new_boolean(value));
}

bool Preferences::setText(const std::string& key, const std::string& value)
{
    if (!g_utf8_validate(value.data(), static_cast<gssize>(value.size()), nullptr))
        return false;
    return m_impl->store(key, g_variant_new_string(value.c_str()));
}

bool Preferences::setDictionary(const std::string& key, const OrderedMap<bool>& value)
{
    return m_impl->store(key, storedMap<bool, gboolean>(value, "a{sb}", "{sb}"));
}

bool Preferences::remove(const std::string& key)
{
    if (!g_key_file_remove_key(m_impl->file.get(), group, key.c_str(), nullptr))
        return true;
    return m_impl->write();
}

bool Preferences::flush()
{
    bool written = FileWriter::shared().wait(m_impl->path());
    return written && !m_impl->refused;
}

void Preferences::reload()
{
    m_impl->load();
}

} // namespace quillane::platform
