// A right-click on a word of an editable field selects the word first, so that the engine's
// "Learn Spelling" and "Ignore Spelling" in the context menu have a word to act on (they act on the
// selection, and are greyed out without one). A selection the user made is left as it is, and so is
// a right-click the page takes for itself.
addEventListener('contextmenu', event => {
    const target = event.target;
    if (event.defaultPrevented || !(target instanceof Element))
        return;
    const field = target.closest('textarea, input, [contenteditable]');
    if (!field || !(field.isContentEditable || field.matches('textarea, input:is([type=text], [type=search], :not([type]))')))
        return;
    const selection = getSelection();
    if (!selection || !selection.isCollapsed)
        return;
    // From inside the word, or at its start: back to its start, then over it to its end.
    selection.modify('move', 'forward', 'character');
    selection.modify('move', 'backward', 'word');
    selection.modify('extend', 'forward', 'word');
    if (!/\p{L}/u.test(selection.toString()))
        selection.collapseToStart();
}, false);
