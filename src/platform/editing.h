#pragma once
// Editing commands for whatever has the keyboard focus: the page, or a dialog's text field.

namespace quillane::platform {

enum class EditingCommand { undo, redo, cut, copy, paste, selectAll };

void sendEditingCommand(EditingCommand command);

} // namespace quillane::platform
