// Reports the background colour at the middle of the page's top edge to the application, which
// paints the band above the page with it. One look per 100 ms burst of changes, in the frame after
// it; a report only when the colour changes. Everything here is private to this document's run.
(() => {
    let lastPosted = null;
    let scheduled = false;

    // Computed colours are transparent only as "rgba(…, 0)"; anything else shows.
    const transparent = colour => colour.startsWith('rgba') && !(parseFloat(colour.split(',')[3]) > 0);

    const look = () => {
        scheduled = false;
        let colour = '';
        for (let element = document.elementFromPoint(innerWidth / 2, 0); element && colour === ''; element = element.parentElement) {
            const background = getComputedStyle(element).backgroundColor;
            if (!transparent(background))
                colour = background;
        }
        // A root without a background of its own shows the body's: the browser paints that over
        // the whole canvas, the page's top margin included.
        if (colour === '' && document.body) {
            const body = getComputedStyle(document.body).backgroundColor;
            if (!transparent(body))
                colour = body;
        }
        if (colour !== lastPosted) {
            lastPosted = colour;
            webkit.messageHandlers.quillane.postMessage({ band: colour });
        }
    };

    // Looking lays the page out: it waits for the page's next frame, which a hidden page never draws.
    const request = () => {
        if (scheduled)
            return;
        scheduled = true;
        setTimeout(() => requestAnimationFrame(look), 100);
    };

    addEventListener('DOMContentLoaded', () => {
        look();
        new MutationObserver(request).observe(document.documentElement, { subtree: true, childList: true, attributes: true });
    });
    addEventListener('load', request);
    addEventListener('resize', request);
    addEventListener('scroll', request, { capture: true, passive: true });
    matchMedia('(prefers-color-scheme: dark)').addEventListener('change', request);
})();
