// Carries the program's notification answer for the main page to the page's Notification (see
// notification_answers.js), and the page's request to be asked back to the program, only when it
// comes with a click or key of the user's. The word may come before this script has run: then it is
// left on the window for this script to find.
(() => {
    let last = null;
    const tell = state => {
        last = state;
        dispatchEvent(new Event('quillane-notifications-' + state));
    };
    Object.defineProperty(window, 'quillaneNotificationAnswer', { value: tell });
    const early = window.quillaneNotificationAnswerSaid;
    delete window.quillaneNotificationAnswerSaid;
    if (typeof early === 'string')
        tell(early);
    const hidden = { capture: true };
    // The page's Notification came after the word: it hears it again.
    addEventListener('quillane-notifications-ready', event => {
        event.stopImmediatePropagation();
        if (last !== null)
            tell(last);
    }, hidden);
    addEventListener('quillane-notifications-ask', event => {
        event.stopImmediatePropagation();
        if (navigator.userActivation && navigator.userActivation.isActive)
            webkit.messageHandlers.quillane.postMessage({ notifications: 'ask' });
        else
            tell(last ?? 'default');
    }, hidden);
})();
