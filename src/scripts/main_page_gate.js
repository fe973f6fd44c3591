// Runs first in our script world. The world's scripts speak to the program only from the window's
// main page: the program says which page that is each time it has loaded one. A page of another
// window that shares the main page's scripts never gets to speak; a band report made before the
// word comes waits for it, a drag request does not (its press is long over by then).
(() => {
    const handler = webkit.messageHandlers.quillane;
    const prototype = Object.getPrototypeOf(handler);
    const post = prototype.postMessage;
    let isMainPage = false;
    let waiting = null;
    prototype.postMessage = function (body) {
        if (isMainPage)
            post.call(this, body);
        else if (typeof body === 'object')
            waiting = body;
    };
    Object.defineProperty(window, 'quillaneMainPage', {
        value: () => {
            isMainPage = true;
            if (waiting !== null)
                post.call(handler, waiting);
            waiting = null;
        },
    });
})();
