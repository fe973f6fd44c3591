// Gathers, through the page's own session, what installing the page as an application needs: its
// title, the icons its links name, and its web application manifest (the text, at most 1 MiB). Runs
// in our script world. The icon is fetched by the program itself, from whatever origin it is on.
const limit = 1 << 20;
const read = async url => {
    const response = await fetch(url, { credentials: 'include' });
    if (!response.ok || !response.body)
        return null;
    const reader = response.body.getReader();
    const chunks = [];
    let size = 0;
    for (;;) {
        const { done, value } = await reader.read();
        if (done)
            break;
        size += value.length;
        if (size > limit) {
            reader.cancel();
            return null;
        }
        chunks.push(value);
    }
    const bytes = new Uint8Array(size);
    let at = 0;
    for (const chunk of chunks) {
        bytes.set(chunk, at);
        at += chunk.length;
    }
    return { url: response.url, bytes };
};
const link = document.querySelector('link[rel~="manifest"]');
let manifest = null;
try {
    const found = link && await read(link.href);
    if (found)
        manifest = { url: found.url, text: new TextDecoder().decode(found.bytes) };
} catch (error) {
}
// As a manifest lists its icons; a page that names thousands gets its first 50 read.
const icons = Array.from(document.querySelectorAll('link[rel~="icon" i], link[rel~="apple-touch-icon" i]'), icon => ({
    src: icon.href,
    sizes: icon.getAttribute('sizes') || '',
    type: icon.type,
})).slice(0, 50);
return JSON.stringify({ title: document.title, icons, manifest });
