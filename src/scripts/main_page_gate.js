// Runs first in our script world. The world's scripts speak to the program only from the window's
// main page: the program says which page that is each time it has loaded one. A page of another
// window that shares the main page's scripts never gets to speak; the newest report of each kind
// (the band's, the badge's) made before the word comes waits for it, a drag request does not (its
// press is long over by then).
(() => {
    const handler = webkit.messageHandlers.quillane;
    const prototype = Object.getPrototypeOf(handler);
    const post = prototype.postMessage;
    let isMainPage = false;
    const waiting = new Map();
    prototype.postMessage = function (body) {
        if (isMainPage)
            post.call(this, body);
        else if (body !== null && typeof body === 'object')
            waiting.set(Object.keys(body)[0], body);
    };
    Object.defineProperty(window, 'quillaneMainPage', {
        value: () => {
            isMainPage = true;
            for (const body of waiting.values())
                post.call(handler, body);
            waiting.clear();
        },
    });
})();
