addEventListener('mousedown', event => {
    if (event.button !== 0 || event.metaKey || event.clientY >= 