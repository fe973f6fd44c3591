#pragma once
// Ownership types for GObject references and GLib allocations. Private to the platform layer.
#include <glib-object.h>

#include <memory>
#include <utility>

namespace quillane::platform {

// A counted reference to a GObject. The named constructors say at the call site who owns what:
// adopt() takes over a reference we were given; retain() adds one (sinking a floating reference).
template <typename T>
class GObjectRef {
public:
    GObjectRef() = default;
    static GObjectRef adopt(T* object)
    {
        GObjectRef ref;
        ref.m_object = object;
        return ref;
    }
    static GObjectRef retain(T* object)
    {
        GObjectRef ref;
        if (object)
            ref.m_object = static_cast<T*>(g_object_ref_sink(object));
        return ref;
    }
    GObjectRef(const GObjectRef& other)
        : m_object(other.m_object)
    {
        if (m_object)
            g_object_ref(m_object);
    }
    GObjectRef(GObjectRef&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr))
    {
    }
    GObjectRef& operator=(GObjectRef other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }
    ~GObjectRef()
    {
        if (m_object)
            g_object_unref(m_object);
    }

    T* get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

template <typename T, auto Free>
struct GLibDeleter {
    void operator()(T* pointer) const { Free(pointer); }
};

using GCharPtr = std::unique_ptr<char, GLibDeleter<void, g_free>>;
using GErrorPtr = std::unique_ptr<GError, GLibDeleter<GError, g_error_free>>;
using GKeyFilePtr = std::unique_ptr<GKeyFile, GLibDeleter<GKeyFile, g_key_file_free>>;
using GVariantPtr = std::unique_ptr<GVariant, GLibDeleter<GVariant, g_variant_unref>>;
using GStrvPtr = std::unique_ptr<char*, GLibDeleter<char*, g_strfreev>>;
// A list that owns its links but not what they point to.
using GListPtr = std::unique_ptr<GList, GLibDeleter<GList, g_list_free>>;

// Lists whose links each hold a string of their own.
struct GStringListDeleter {
    void operator()(GList* list) const { g_list_free_full(list, g_free); }
    void operator()(GSList* list) const { g_slist_free_full(list, g_free); }
};
using GStringListPtr = std::unique_ptr<GList, GStringListDeleter>;
using GStringSListPtr = std::unique_ptr<GSList, GStringListDeleter>;

// Collects a GError from a call that reports one through a GError** argument:
//   ErrorOut error; g_file_set_contents(..., error.out()); if (error) ...
class ErrorOut {
public:
    GError** out() { return &m_raw; }
    ~ErrorOut() { if (m_raw) g_error_free(m_raw); }
    explicit operator bool() const { return m_raw != nullptr; }
    const char* message() const { return m_raw ? m_raw->message : ""; }
    const GError* get() const { return m_raw; }

private:
    GError* m_raw = nullptr;
};

} // namespace quillane::platform
