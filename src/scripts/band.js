// Reports the background colour at the middle of the page's top edge to the application, which
// paints the band above the page with it. One look per 100 ms burst of changes, in the frame after
// it; a report only when the colour changes. Everything here is private to this document's run.
(() => {
    let lastPosted = null;
    let scheduled = false;

    // Computed colours are transparent only as "rgba(…, 0)"; anything else shows.
    const transparent = colour => colour.startsWith('rgba') && !(parseFloat(colour.split(',')[3]) > 0);

    // The page's declared theme colour as "rgb(…)" text, or '' when it declares none. A canvas that
    // is never attached reads the colour, so the page's document is not touched.
    let canvas = null;
    const themeColour = () => {
        const declared = [...document.querySelectorAll('meta[name="theme-color"]')]
            .find(meta => !meta.media || matchMedia(meta.media).matches);
        if (!declared)
            return '';
        canvas = canvas || document.createElement('canvas').getContext('2d');
        canvas.fillStyle = '#000001';
        canvas.fillStyle = declared.content;
        const hex = /^#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})$/.exec(canvas.fillStyle);
        if (!hex || canvas.fillStyle === '#000001')
            return '';
        return `rgb(${parseInt(hex[1], 16)}, ${parseInt(hex[2], 16)}, ${parseInt(hex[3], 16)})`;
    };

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
        const theme = themeColour();
        if (colour + '|' + theme !== lastPosted) {
            lastPosted = colour + '|' + theme;
            webkit.messageHandlers.quillane.postMessage({ band: colour, theme });
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
    // A page brought back from the history cache keeps this run's state, while the band has since
    // shown other pages: it is told again.
    addEventListener('pageshow', event => {
        if (event.persisted) {
            lastPosted = null;
            request();
        }
    });
    addEventListener('resize', request);
    addEventListener('scroll', request, { capture: true, passive: true });
    matchMedia('(prefers-color-scheme: dark)').addEventListener('change', request);
})();
