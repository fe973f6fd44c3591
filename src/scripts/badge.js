// Forwards the badge the page sets with navigator.setAppBadge() (our shim in the page's world raises
// an event for it). The page may raise that event itself with anything in it: only a finite number
// of at least 0 (its whole part) or "flag" goes on, the newest at most every 100 ms and only when it
// changed, so that a page cannot keep the program busy with badges.
(() => {
    let lastPosted = null;
    let newest = null;
    let timer = 0;
    const post = () => {
        timer = 0;
        if (newest === lastPosted)
            return;
        lastPosted = newest;
        webkit.messageHandlers.quillane.postMessage({ badge: newest });
    };
    addEventListener('quillane-app-badge', event => {
        const detail = event.detail;
        if (detail === 'flag')
            newest = 'flag';
        else if (typeof detail === 'number' && Number.isFinite(detail) && detail >= 0)
            newest = Math.trunc(detail);
        else
            return;
        if (!timer)
            timer = setTimeout(post, 100);
    });
})();
