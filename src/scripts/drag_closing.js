) return;
    const clickable = 'a[href], button, input, select, textarea, label, summary, [role=button], [role=link], [role=tab], [contenteditable], [onclick]';
    if (event.target.closest(clickable) || getComputedStyle(event.target).cursor === 'pointer') return;
    event.preventDefault();
    webkit.messageHandlers.quillane.postMessage('drag');
}, true);