// Gathers, through the page's own session, what installing the page as an application needs: its
// title, and its web application manifest (the text, at most 1 MiB). Runs in our script world. The
// manifest's icon is fetched by the program itself, from whatever origin it is on.
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
return JSON.stringify({ title: document.title, manifest });
