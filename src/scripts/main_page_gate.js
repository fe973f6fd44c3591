// Runs first in our script world. The world's scripts speak to the program only from the window's
// main page: the program says which page that is each time it has loaded one. A page of another
// window that shares the main page's scripts never gets to speak; the newest report of each kind
// (the band's, the badge's) made before the word comes waits for it, a drag request or a request to
// be asked does not (its press is long over by then). The word can also come before this script has
// run at all (the load commits with its first bytes, and the document's first element, which runs
// the world's scripts, may come much later): then the word is left on this document's window for
// this script to find.
(() => {
    const handler = webkit.messageHandlers.quillane;
    const prototype = Object.getPrototypeOf(handler);
    const post = prototype.postMessage;
    let isMainPage = window.quillaneMainPageSaid === true;
    const waiting = new Map();
    delete window.quillaneMainPageSaid;
    prototype.postMessage = function (body) {
        if (isMainPage)
            post.call(this, body);
        else if (body !== null && typeof body === 'object' && ('band' in body || 'badge' in body))
            waiting.set('band' in body ? 'band' : 'badge', body);
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
