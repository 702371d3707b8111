// The page's side of the browser layer: each GLUT window's canvas and WebGL
// context; the one shader, which lights by OpenGL 1.x's equations and draws
// what gl_web.cpp batches; pointer and key events for glut_web.cpp; the
// buffer kept at the canvas's size in device pixels; a lost context built
// again; and the program's output sent to the console.
mergeInto(LibraryManager.library, {
  $glutWeb: {
    windows: {},
    // u is gl_web.cpp's Shading: u[0] lighting, light 0 and colour material
    // switched on, and the shininess; u[1] the way to the light in eye space;
    // u[2..4] the light's ambient, diffuse and specular colours; u[5..7] the
    // material's. The scene's ambient light is GL's 0.2; the viewer is at
    // infinity.
    vertexShader: `attribute vec4 position; attribute vec3 normal; attribute vec4 colour;
      uniform vec4 u[8]; varying vec4 shade;
      void main() {
        gl_Position = position;
        gl_PointSize = 1.0;
        if (u[0].x == 0.0) { shade = colour; return; }
        vec4 ambient = u[0].z != 0.0 ? colour : u[5], diffuse = u[0].z != 0.0 ? colour : u[6];
        vec3 c = 0.2 * ambient.rgb;
        float nl = dot(normal, u[1].xyz);
        if (u[0].y != 0.0) c += ambient.rgb * u[2].rgb;
        if (u[0].y != 0.0 && nl > 0.0) {
          float nh = max(dot(normal, normalize(u[1].xyz + vec3(0.0, 0.0, 1.0))), 0.0);
          c += nl * diffuse.rgb * u[3].rgb + (u[0].w == 0.0 ? 1.0 : pow(nh, u[0].w)) * u[7].rgb * u[4].rgb;
        }
        shade = vec4(clamp(c, 0.0, 1.0), diffuse.a);
      }`,
    fragmentShader: 'precision mediump float; varying vec4 shade; void main() { gl_FragColor = shade; }',

    // What a context holds: made with it, and again when it comes back.
    setUp: function(w) {
      var gl = w.gl, program = gl.createProgram();
      [[gl.VERTEX_SHADER, glutWeb.vertexShader], [gl.FRAGMENT_SHADER, glutWeb.fragmentShader]].forEach(function(s) {
        var shader = gl.createShader(s[0]);
        gl.shaderSource(shader, s[1]), gl.compileShader(shader), gl.attachShader(program, shader);
      });
      ['position', 'normal', 'colour'].forEach(function(name, i) { gl.bindAttribLocation(program, i, name); });
      gl.linkProgram(program);
      var linked = gl.getProgramParameter(program, gl.LINK_STATUS) || gl.isContextLost();
      if (!linked) console.error('glut: the shader did not link: ' + gl.getProgramInfoLog(program));
      gl.useProgram(program);
      w.shading = gl.getUniformLocation(program, 'u');
      gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
      w.capacity = 0;
      [[0, 4, 0], [1, 3, 16], [2, 4, 28]].forEach(function(a) {
        gl.enableVertexAttribArray(a[0]);
        gl.vertexAttribPointer(a[0], a[1], gl.FLOAT, false, 44, a[2]);
      });
    },

    // The canvas at the window's size, which the page may scale, and its
    // buffer at the size it takes on the page in device pixels.
    layOut: function(w, width, height) {
      w.width = width, w.height = height;
      Object.assign(w.canvas.style, {width: width + 'px', aspectRatio: width + ' / ' + height});
      glutWeb.fit(w);
    },
    fit: function(w) {
      var box = w.canvas.getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
      var width = Math.max(1, Math.round(box.width * ratio)), height = Math.max(1, Math.round(box.height * ratio));
      if (width === w.canvas.width && height === w.canvas.height) return;
      w.canvas.width = width, w.canvas.height = height;
      _glutWebCanvasChanged(w.id, width, height, w.lost);
    },
    // A zoom or another screen changes the ratio, whether or not the page moves.
    watchRatio: function() {
      matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)').addEventListener('change', function() {
        Object.values(glutWeb.windows).forEach(glutWeb.fit);
        glutWeb.watchRatio();
      }, {once: true});
    },

    listen: function(w) {
      var canvas = w.canvas, on = canvas.addEventListener.bind(canvas);
      var modifiers = function(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); };
      // The window's own pixels, however the page scales the canvas.
      var at = function(e) {
        var box = canvas.getBoundingClientRect();
        return w.pointer = [Math.floor((e.clientX - box.left) * w.width / box.width),
                            Math.floor((e.clientY - box.top) * w.height / box.height)];
      };
      var button = function(e, glutButton, down) {
        var p = at(e);
        if (down) {
          e.preventDefault();  // no text selection, no emulated mouse events
          canvas.focus({preventScroll: true});
          canvas.setPointerCapture(e.pointerId);  // every move and the release, as an X grab
        }
        w.held = down ? w.held | 1 << glutButton : w.held & ~(1 << glutButton);
        _glutWebInput(w.id, glutButton, down ? 0 : 1, -1, p[0], p[1], modifiers(e));
      };
      // DOM and GLUT number the buttons alike, and a finger or a pen's tip is
      // the left one. A button pressed or let go while another is held comes
      // as a move. Other fingers than the first are ignored.
      var pointer = function(e) {
        if (!e.isPrimary) return;
        if (e.button >= 0 && e.button <= 2) {
          var down = (e.buttons & [1, 4, 2][e.button]) !== 0;
          if (down !== ((w.held >> e.button & 1) === 1)) button(e, e.button, down);
        } else if (e.type === 'pointermove') {
          (e.getCoalescedEvents ? e.getCoalescedEvents() : [e]).forEach(function(m) {
            var p = at(m);
            if (w.held) _glutWebInput(w.id, -1, 0, -1, p[0], p[1], -1);
          });
        }
      };
      ['pointerdown', 'pointermove', 'pointerup'].forEach(function(type) { on(type, pointer); });
      on('pointercancel', function(e) { for (var b = 0; b <= 2; b++) if (w.held >> b & 1) button(e, b, false); });
      on('contextmenu', function(e) { e.preventDefault(); });
      on('keydown', function(e) {
        var named = {Tab: 9, Enter: 13, Backspace: 8, Escape: 27, Delete: 127};
        // WebKitGTK names Shift-Tab's key as GTK does, ISO_Left_Tab, which it cannot say in DOM words.
        var key = e.code === 'Tab' ? 'Tab' : e.key;
        var c = key in named ? named[key] : key.length === 1 ? key.charCodeAt(0) : 256;
        if (c > 255) return;
        e.preventDefault();  // Tab stays in the window, Space does not scroll
        if (c === 27) canvas.blur();  // the way out for the keyboard, Tab being the window's
        _glutWebInput(w.id, -1, 0, e.ctrlKey && c >= 64 && c < 128 ? c & 31 : c, w.pointer[0], w.pointer[1], modifiers(e));
      });
      // Asked for back (preventDefault); once it is, all it held is made again.
      var changed = function() { _glutWebCanvasChanged(w.id, canvas.width, canvas.height, w.lost); };
      on('webglcontextlost', function(e) { e.preventDefault(), w.lost = true, changed(); });
      on('webglcontextrestored', function() { glutWeb.setUp(w), w.lost = false, changed(); });
      new ResizeObserver(function() { glutWeb.fit(w); }).observe(canvas);
    },
  },

  // The one function that brings $glutWeb in, for all of them.
  glutWebOpenCanvas__deps: ['$glutWeb'],
  glutWebOpenCanvas: function(window, title, width, height, depth) {
    // Named as its window, able to take the keyboard, and scrolling nothing under a finger.
    var canvas = Object.assign(document.createElement('canvas'),
                               {id: 'glut-window-' + window, title: UTF8ToString(title), tabIndex: 0});
    canvas.setAttribute('aria-label', canvas.title);
    canvas.style.touchAction = 'none';
    (document.getElementById('glut-windows') || document.body).appendChild(canvas);
    var gl = canvas.getContext('webgl', {alpha: false, depth: depth !== 0, stencil: false, antialias: false});
    if (!gl) return canvas.remove(), 0;
    var w = glutWeb.windows[window] = {id: window, canvas: canvas, gl: gl, lost: false, held: 0, pointer: [0, 0]};
    if (window === 1) {
      document.title = document.title || canvas.title;  // a page may have its own
      glutWeb.watchRatio();
      // For the page's own buttons: a key typed into a window.
      Module['glutTypeKey'] = function(target, key) {
        var t = glutWeb.windows[target];
        if (t) _glutWebInput(target, -1, 0, key.charCodeAt(0), t.pointer[0], t.pointer[1], 0);
      };
    }
    glutWeb.setUp(w);
    glutWeb.listen(w);
    glutWeb.layOut(w, width, height);
    return 1;
  },

  glutWebResizeCanvas: function(window, width, height) { glutWeb.layOut(glutWeb.windows[window], width, height); },


  glutWebClear: function(window, colour, mask) {
    var w = glutWeb.windows[window], c = colour >> 2;
    if (!w.lost) w.gl.clearColor(HEAPF32[c], HEAPF32[c + 1], HEAPF32[c + 2], HEAPF32[c + 3]), w.gl.clear(mask);
  },

  // The vertex buffer grows to the largest batch yet, and stays.
  glutWebDraw: function(window, mode, vertices, count, shading, viewport, depthTest) {
    var w = glutWeb.windows[window], gl = w.gl, v = viewport >> 2;
    if (w.lost) return;
    var data = HEAPF32.subarray(vertices >> 2, (vertices >> 2) + 11 * count);
    if (data.byteLength > w.capacity) gl.bufferData(gl.ARRAY_BUFFER, w.capacity = 2 * data.byteLength, gl.DYNAMIC_DRAW);
    gl.bufferSubData(gl.ARRAY_BUFFER, 0, data);
    gl.uniform4fv(w.shading, HEAPF32.subarray(shading >> 2, (shading >> 2) + 32));
    gl.viewport(HEAP32[v], HEAP32[v + 1], HEAP32[v + 2], HEAP32[v + 3]);
    depthTest ? gl.enable(gl.DEPTH_TEST) : gl.disable(gl.DEPTH_TEST);
    gl.drawArrays(mode, 0, count);
  },

  // WASI's write, for standard output and error alone (the program has no
  // files): each write reaches the console as it comes, without waiting for
  // a newline, which the viewer's one message never has.
  fd_write__deps: [],  // none of those of the fd_write it stands in for
  fd_write: function(fd, iov, count, written) {
    var text = '', total = 0;
    for (var i = 0; i < count; i++) {
      var base = HEAPU32[(iov >> 2) + 2 * i], length = HEAPU32[(iov >> 2) + 2 * i + 1];
      text += UTF8ArrayToString(HEAPU8, base, length), total += length;
    }
    HEAPU32[written >> 2] = total;
    if (text) (fd === 2 ? console.error : console.log)(text.replace(/\n$/, ''));
    return 0;
  },
});
