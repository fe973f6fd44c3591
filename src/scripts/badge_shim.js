// navigator.setAppBadge() and clearAppBadge(), which the engine does not offer. They only raise an
// event on the window: our own script, in a world the page cannot reach, hears it and decides what
// it is worth. Like the real ones they take a whole number of at least 0, or none for a flag.
(() => {
    if (window !== window.top)
        return;
    const announce = detail => dispatchEvent(new CustomEvent('quillane-app-badge', { detail }));
    const define = (name, method) => Object.defineProperty(Navigator.prototype, name, { value: method, writable: true, configurable: true });
    define('setAppBadge', function setAppBadge(contents) {
        try {
            if (contents === undefined) {
                announce('flag');
                return Promise.resolve();
            }
            const number = Number(contents);
            if (!Number.isFinite(number) || number < 0 || number > Number.MAX_SAFE_INTEGER)
                throw new TypeError('The badge must be a whole number of at least 0.');
            announce(Math.trunc(number));
            return Promise.resolve();
        } catch (error) {
            return Promise.reject(error);
        }
    });
    define('clearAppBadge', function clearAppBadge() {
        announce(0);
        return Promise.resolve();
    });
})();
