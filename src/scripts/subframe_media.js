// Only the page itself may ask for the microphone or camera: frames inside it are refused at once,
// so every request the application hears is the page's own.
if (window !== window.top && typeof MediaDevices !== 'undefined') {
    const refuse = () => Promise.reject(new DOMException('Capture devices are for the page itself, not its frames.', 'NotAllowedError'));
    Object.defineProperty(MediaDevices.prototype, 'getUserMedia', { value: refuse, writable: false, configurable: false });
}

// A frame of another site may not ask to show notifications: refused without a question.
if (window !== window.top && typeof Notification !== 'undefined') {
    let otherSite = true;
    try {
        otherSite = window.top.location.origin !== location.origin;
    } catch (error) {
    }
    if (otherSite) {
        const refuse = () => Promise.resolve('denied');
        Object.defineProperty(Notification, 'requestPermission', { value: refuse, writable: false, configurable: false });
    }
}
