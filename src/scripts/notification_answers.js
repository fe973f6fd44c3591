// Notification answers as the program has them, in the page's own world. The engine refuses
// Notification.requestPermission() outside a click of the user's even for a site that has its answer:
// a site with an answer gets it at once, as the notifications standard has it. And each of the
// engine's page processes keeps the answers it started with: in the top frame, the program's word
// (from our script world, as events on the window that nothing of the page's hears) stands over
// them, so that a site whose answer the user had the program forget is asked again, by the program.
// (The engine shows a notification only when it holds "granted" itself.)
if (typeof Notification !== 'undefined') {
    const engineRequest = Notification.requestPermission;
    // The engine's own answer, as it was when the document began; only a request in the document
    // changes it (the engine gives no getter to keep).
    let engineAnswer = Notification.permission;
    let said = null;
    const waiting = [];
    if (window === window.top) {
        for (const state of ['granted', 'denied', 'default']) {
            addEventListener('quillane-notifications-' + state, event => {
                event.stopImmediatePropagation();
                said = state;
                waiting.splice(0).forEach(settle => settle(state));
            }, true);
        }
        dispatchEvent(new Event('quillane-notifications-ready'));
    }
    const current = () => said ?? engineAnswer;
    Object.defineProperty(Notification, 'permission', { get: current, configurable: true, enumerable: true });
    Object.defineProperty(Notification, 'requestPermission', {
        configurable: true,
        writable: true,
        value: function requestPermission(callback) {
            const answered = state => {
                if (typeof callback === 'function')
                    callback(state);
                return state;
            };
            const known = current();
            if (known !== 'default')
                return Promise.resolve(known).then(answered);
            // The engine asks the program itself when it holds no answer; when it still holds one the
            // program has forgotten, the program is asked through our world.
            if (engineAnswer === 'default') {
                return engineRequest.call(Notification).then(state => {
                    engineAnswer = state;
                    return answered(state);
                });
            }
            return new Promise(settle => {
                waiting.push(settle);
                dispatchEvent(new Event('quillane-notifications-ask'));
            }).then(answered);
        },
    });
}
