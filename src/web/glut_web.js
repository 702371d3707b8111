// The page's side of the layer: a canvas for each GLUT window, its events
// handed to glut_web.cpp, and the program's output sent to the console.
mergeInto(LibraryManager.library, {
  $glutWeb: {
    // While a mouse button is held, the window it went down in, as an X
    // server's implicit grab keeps it: it gets every move and release.
    grab: null,
    // The pointer's last position over each window, for the keyboard callback.
    pointer: {},
    at: function(canvas, event) {
      var box = canvas.getBoundingClientRect();
      return [Math.floor(event.clientX - box.left), Math.floor(event.clientY - box.top)];
    },
    modifiers: function(event) {
      return (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
    },
    // The character GLUT's keyboard callback gets, or -1 for a key it has none for.
    character: function(event) {
      var named = {Tab: 9, Enter: 13, Backspace: 8, Escape: 27, Delete: 127};
      if (event.key in named) return named[event.key];
      if (event.key.length !== 1) return -1;
      var c = event.key.charCodeAt(0);
      if (c > 255) return -1;
      return event.ctrlKey && c >= 64 && c < 128 ? c & 31 : c;
    },
    listen: function() {
      document.addEventListener('mousemove', function(event) {
        var grab = glutWeb.grab;
        if (!grab) return;
        var p = glutWeb.at(grab.canvas, event);
        glutWeb.pointer[grab.window] = p;
        _glutWebMotion(grab.window, p[0], p[1]);
      });
      document.addEventListener('mouseup', function(event) {
        var grab = glutWeb.grab;
        if (!grab) return;
        grab.buttons &= ~(1 << event.button);
        if (grab.buttons === 0) glutWeb.grab = null;
        var p = glutWeb.at(grab.canvas, event);
        _glutWebMouse(grab.window, event.button, 1, p[0], p[1], glutWeb.modifiers(event));
      });
      glutWeb.listen = function() {};
    },
  },

  glutWebOpenCanvas__deps: ['$glutWeb'],
  glutWebOpenCanvas: function(window, title, width, height) {
    var canvas = document.createElement('canvas');
    canvas.id = 'glut-window-' + window;
    canvas.width = width;
    canvas.height = height;
    canvas.title = UTF8ToString(title);
    canvas.tabIndex = 0;  // so that it can take the keyboard
    (document.getElementById('glut-windows') || document.body).appendChild(canvas);
    if (window === 1) document.title = canvas.title;
    glutWeb.listen();
    canvas.addEventListener('mousedown', function(event) {
      event.preventDefault();
      canvas.focus();
      var grab = glutWeb.grab || (glutWeb.grab = {window: window, canvas: canvas, buttons: 0});
      grab.buttons |= 1 << event.button;
      var p = glutWeb.at(grab.canvas, event);
      _glutWebMouse(grab.window, event.button, 0, p[0], p[1], glutWeb.modifiers(event));
    });
    canvas.addEventListener('mousemove', function(event) {
      glutWeb.pointer[window] = glutWeb.at(canvas, event);
    });
    canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
    canvas.addEventListener('keydown', function(event) {
      var c = glutWeb.character(event);
      if (c < 0) return;
      event.preventDefault();  // Tab stays in the window, Space does not scroll
      var p = glutWeb.pointer[window] || [0, 0];
      _glutWebKey(window, c, p[0], p[1], glutWeb.modifiers(event));
    });
  },

  glutWebResizeCanvas: function(window, width, height) {
    var canvas = document.getElementById('glut-window-' + window);
    canvas.width = width;
    canvas.height = height;
  },

  glutWebSetCursor: function(window, css) {
    document.getElementById('glut-window-' + window).style.cursor = UTF8ToString(css);
  },

  // WASI's write, for standard output and error alone (the program has no
  // files): each write goes to the console as it comes, without waiting for
  // a newline, which the viewer's one message never has.
  fd_write: function(fd, iov, iovcnt, pnum) {
    var text = '';
    var written = 0;
    for (var i = 0; i < iovcnt; i++) {
      var base = HEAPU32[(iov >> 2) + 2 * i];
      var length = HEAPU32[(iov >> 2) + 2 * i + 1];
      text += new TextDecoder().decode(HEAPU8.slice(base, base + length));
      written += length;
    }
    HEAPU32[pnum >> 2] = written;
    if (text) (fd === 2 ? console.error : console.log)(text.replace(/\n$/, ''));
    return 0;
  },
});
