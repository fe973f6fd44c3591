#pragma once
// Private to the platform layer: how the layer's own files reach the toolkit objects behind the
// public classes, which keep them out of the program's sight.
#include <memory>
#include <utility>

namespace quillane::platform {

struct PlatformAccess {
    template <typename T>
    static auto& impl(const T& object)
    {
        return *object.m_impl;
    }
};

template <typename T>
auto& implOf(const T& object)
{
    return PlatformAccess::impl(object);
}

} // namespace quillane::platform
