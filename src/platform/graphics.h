#pragma once
// What the machine renders with.
namespace quillane::platform {

// Whether OpenGL runs in software here (no GPU the web engine could use: no render node, as in many
// virtual machines and remote desktops, or Mesa told to use software): then the engine's
// accelerated compositing costs launch time and memory and gains nothing.
bool rendersOpenGLInSoftware();

} // namespace quillane::platform
