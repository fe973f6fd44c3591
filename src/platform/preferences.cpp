#include "platform/preferences.h"

#include "platform/files.h"
#include "platform/gtk/gobject_ref.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace quillane::platform {

namespace {
constexpr const char* fileName = "preferences.ini";
constexpr const char* group = "Preferences";
constexpr gint64 leftoverAgeSeconds = 2;
// A preferences file is a few hundred bytes: a much larger one is not ours to parse.
constexpr gsize largestFile = 1 << 20;

std::optional<std::string> readFile(const std::string& path)
{
    char* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr))
        return std::nullopt;
    GCharPtr owned(contents);
    if (length > largestFile)
        return std::nullopt;
    return std::string(contents, length);
}

// The key file made of the lines that still read: a line cut in the middle, or garbage, goes and
// the rest stays. Each line is tried on its own under the group it stands in.
GKeyFile* readableLines(const std::string& contents)
{
    std::string kept;
    std::string group;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        std::string line = contents.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? contents.size() : end + 1;
        bool header = !line.empty() && line.front() == '[';
        std::string trial = header ? line : group + "\n" + line;
        GKeyFilePtr parsed(g_key_file_new());
        if (!g_key_file_load_from_data(parsed.get(), trial.data(), trial.size(), G_KEY_FILE_KEEP_COMMENTS, nullptr))
            continue;
        kept += line + "\n";
        if (header)
            group = line;
    }
    GKeyFile* file = g_key_file_new();
    g_key_file_load_from_data(file, kept.data(), kept.size(), G_KEY_FILE_KEEP_COMMENTS, nullptr);
    return file;
}
} // namespace

// Values are kept as GVariant text ("true", "'text'", "{'site': true}") so that each carries its type
// and any text, line feeds and unusual keys included, survives the key file.
struct Preferences::Impl {
    std::string folder;
    GKeyFilePtr file { g_key_file_new() };
    std::map<std::string, bool> registered;
    // Set when a file exists that could not be read; it is moved aside before we write over it.
    bool unreadable = false;

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
        std::string target = resolvedPath(path());
        removeLeftoverTemporaryFiles(target);
        file.reset(g_key_file_new());
        unreadable = false;
        if (!g_file_test(target.c_str(), G_FILE_TEST_EXISTS))
            return;
        // A FIFO or a device is never opened: reading it could wait for ever.
        auto contents = isRegularFile(target) ? readFile(target) : std::nullopt;
        if (!contents) {
            unreadable = true;
            std::fprintf(stderr, "quillane: could not read preferences from %s; starting from defaults\n", path().c_str());
            return;
        }
        ErrorOut error;
        bool parsed = g_key_file_load_from_data(file.get(), contents->data(), contents->size(), G_KEY_FILE_KEEP_COMMENTS, error.out());
        // Every write of ours ends with a line feed: a file that does not was cut short.
        bool whole = contents->empty() || contents->back() == '\n';
        if (parsed && whole)
            return;
        // A file cut short or damaged keeps every line that still reads; the whole of it is kept aside
        // before the next write.
        unreadable = true;
        file.reset(readableLines(*contents));
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

    bool write()
    {
        if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) {
            std::fprintf(stderr, "quillane: preferences not saved: could not create %s\n", folder.c_str());
            return false;
        }
        if (unreadable && !keepUnreadableFileAside())
            return false;
        gsize length = 0;
        GCharPtr data(g_key_file_to_data(file.get(), &length, nullptr));
        if (auto failure = replaceFileContents(path(), std::string(static_cast<char*>(data.get()), length), 0600)) {
            std::fprintf(stderr, "quillane: preferences not saved to %s: %s\n", path().c_str(), failure->c_str());
            return false;
        }
        return true;
    }
};

Preferences::Preferences(std::string folder)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->folder = std::move(folder);
    m_impl->load();
}

Preferences::~Preferences() = default;

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

std::optional<std::map<std::string, bool>> Preferences::dictionary(const std::string& key) const
{
    auto variant = m_impl->value(key, G_VARIANT_TYPE("a{sb}"));
    if (!variant)
        return std::nullopt;
    std::map<std::string, bool> entries;
    GVariantIter iter;
    g_variant_iter_init(&iter, variant.get());
    const char* name = nullptr;
    gboolean answer = FALSE;
    while (g_variant_iter_next(&iter, "{&sb}", &name, &answer))
        entries[name] = answer;
    return entries;
}

std::optional<std::map<std::string, double>> Preferences::numbers(const std::string& key) const
{
    auto variant = m_impl->value(key, G_VARIANT_TYPE("a{sd}"));
    if (!variant)
        return std::nullopt;
    std::map<std::string, double> entries;
    GVariantIter iter;
    g_variant_iter_init(&iter, variant.get());
    const char* name = nullptr;
    double number = 0;
    while (g_variant_iter_next(&iter, "{&sd}", &name, &number))
        entries[name] = number;
    return entries;
}

bool Preferences::setNumbers(const std::string& key, const std::map<std::string, double>& value)
{
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE("a{sd}"));
    for (const auto& [name, number] : value) {
        if (g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr))
            g_variant_builder_add(&builder, "{sd}", name.c_str(), number);
    }
    return m_impl->store(key, g_variant_builder_end(&builder));
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

bool Preferences::setDictionary(const std::string& key, const std::map<std::string, bool>& value)
{
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE("a{sb}"));
    for (const auto& [name, answer] : value) {
        if (!g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr))
            continue;
        g_variant_builder_add(&builder, "{sb}", name.c_str(), answer);
    }
    return m_impl->store(key, g_variant_builder_end(&builder));
}

bool Preferences::remove(const std::string& key)
{
    if (!g_key_file_remove_key(m_impl->file.get(), group, key.c_str(), nullptr))
        return true;
    return m_impl->write();
}

void Preferences::reload()
{
    m_impl->load();
}

} // namespace quillane::platform
