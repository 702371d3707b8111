// The page's side of the browser layer: each GLUT window's canvas and WebGL
// context; the one shader, which lights by OpenGL 1.x's equations and draws
// what gl_web.cpp batches; pointer and key events for glut_web.cpp; the
// buffer kept at the canvas's size in device pixels; a lost context built
// again; and the program's output sent to the console.
mergeInto(LibraryManager.library, {
  $glutWeb: {
    windows: {},
    // The uniforms, from gl_web.cpp: u[0] lit, colour material, normalise,
    // shininess; u[1] the direction towards the light, u[2] the half vector,
    // in eye space; u[3] the ambient light, u[4] the diffuse light, u[5] the
    // material's specular times the light's, u[6] the emission; u[7] and
    // u[8] the ambient and diffuse material, where colour material is off.
    vertexShader: [
      'attribute vec4 position;', 'attribute vec3 normal;', 'attribute vec4 colour;',
      'uniform vec4 u[9];', 'varying vec4 shade;',
      'void main() {',
      '  gl_Position = position;', '  gl_PointSize = 1.0;',
      '  if (u[0].x == 0.0) { shade = colour; return; }',
      '  vec4 ambient = u[0].y != 0.0 ? colour : u[7], diffuse = u[0].y != 0.0 ? colour : u[8];',
      '  vec3 n = u[0].z != 0.0 ? normalize(normal) : normal;',
      '  vec3 c = u[6].rgb + ambient.rgb * u[3].rgb;',
      '  float nl = dot(n, u[1].xyz);',
      '  if (nl > 0.0) {',
      '    float glossy = u[0].w == 0.0 ? 1.0 : pow(max(dot(n, u[2].xyz), 0.0), u[0].w);',
      '    c += nl * diffuse.rgb * u[4].rgb + glossy * u[5].rgb;',
      '  }',
      '  shade = vec4(clamp(c, 0.0, 1.0), diffuse.a);',
      '}'].join('\n'),
    fragmentShader: 'precision mediump float; varying vec4 shade; void main() { gl_FragColor = shade; }',

    // What a context holds: made with it, and again when it comes back.
    setUp: function(w) {
      var gl = w.gl, program = gl.createProgram();
      [[gl.VERTEX_SHADER, glutWeb.vertexShader], [gl.FRAGMENT_SHADER, glutWeb.fragmentShader]].forEach(function(s) {
        var shader = gl.createShader(s[0]);
        gl.shaderSource(shader, s[1]);
        gl.compileShader(shader);
        gl.attachShader(program, shader);
      });
      ['position', 'normal', 'colour'].forEach(function(name, i) { gl.bindAttribLocation(program, i, name); });
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, gl.LINK_STATUS) && !gl.isContextLost()) {
        console.error('glut: the shader did not link: ' + gl.getProgramInfoLog(program));
      }
      gl.useProgram(program);
      w.uniforms = gl.getUniformLocation(program, 'u');
      gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
      w.capacity = 0;
      [4, 3, 4].reduce(function(offset, size, i) {
        gl.enableVertexAttribArray(i);
        gl.vertexAttribPointer(i, size, gl.FLOAT, false, 44, 4 * offset);
        return offset + size;
      }, 0);
    },

    // The canvas laid out at the window's size, which the page may scale.
    layOut: function(w, width, height) {
      w.width = width;
      w.height = height;
      w.canvas.style.width = width + 'px';
      w.canvas.style.aspectRatio = width + ' / ' + height;
      glutWeb.fit(w);
    },

    // The buffer at the canvas's size in device pixels.
    fit: function(w) {
      var box = w.canvas.getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
      var width = Math.max(1, Math.round(box.width * ratio)), height = Math.max(1, Math.round(box.height * ratio));
      if (width === w.canvas.width && height === w.canvas.height && w.fitted) return;
      w.canvas.width = width;
      w.canvas.height = height;
      w.fitted = true;
      _glutWebCanvasChanged(w.id, width, height, w.lost);
    },

    // A zoom or another screen changes the ratio; the page may not move.
    watchRatio: function() {
      matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)').addEventListener('change', function() {
        Object.values(glutWeb.windows).forEach(glutWeb.fit);
        glutWeb.watchRatio();
      }, {once: true});
    },

    listen: function(w) {
      var canvas = w.canvas;
      var at = function(e) {
        var box = canvas.getBoundingClientRect();
        return [Math.floor((e.clientX - box.left) * w.width / box.width),
                Math.floor((e.clientY - box.top) * w.height / box.height)];
      };
      var modifiers = function(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); };
      var button = function(e, glutButton, down) {
        var p = w.pointer = at(e);
        if (down) {
          e.preventDefault();  // no text selection, no emulated mouse events
          canvas.focus();
          canvas.setPointerCapture(e.pointerId);
        }
        w.held = down ? w.held | 1 << glutButton : w.held & ~(1 << glutButton);
        _glutWebMouse(w.id, glutButton, down ? 0 : 1, p[0], p[1], modifiers(e));
      };
      // DOM and GLUT number the buttons alike (left, middle, right); a
      // finger or a pen's tip is the left one. Buttons pressed or let go
      // while another is held come as moves. A second finger is ignored.
      var pointer = function(e) {
        if (!e.isPrimary) return;
        if (e.button >= 0 && e.button <= 2) {
          var down = (e.buttons & [1, 4, 2][e.button]) !== 0;
          if (down !== ((w.held >> e.button & 1) === 1)) button(e, e.button, down);
        } else if (e.type === 'pointermove') {
          (e.getCoalescedEvents ? e.getCoalescedEvents() : [e]).forEach(function(m) {
            var p = w.pointer = at(m);
            if (w.held) _glutWebMotion(w.id, p[0], p[1]);
          });
        }
      };
      ['pointerdown', 'pointermove', 'pointerup'].forEach(function(type) { canvas.addEventListener(type, pointer); });
      canvas.addEventListener('pointercancel', function(e) {
        for (var b = 0; b <= 2; b++) if (w.held >> b & 1) button(e, b, false);
      });
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      canvas.addEventListener('keydown', function(e) {
        var named = {Tab: 9, Enter: 13, Backspace: 8, Escape: 27, Delete: 127};
        var c = e.key in named ? named[e.key] : e.key.length === 1 ? e.key.charCodeAt(0) : 256;
        if (c > 255) return;
        e.preventDefault();  // Tab stays in the window, Space does not scroll
        _glutWebKey(w.id, e.ctrlKey && c >= 64 && c < 128 ? c & 31 : c, w.pointer[0], w.pointer[1], modifiers(e));
      });
      canvas.addEventListener('webglcontextlost', function(e) {
        e.preventDefault();  // which asks for the context back
        w.lost = true;
        _glutWebCanvasChanged(w.id, canvas.width, canvas.height, 1);
      });
      canvas.addEventListener('webglcontextrestored', function() {
        w.lost = false;
        glutWeb.setUp(w);
        _glutWebCanvasChanged(w.id, canvas.width, canvas.height, 0);
      });
      new ResizeObserver(function() { glutWeb.fit(w); }).observe(canvas);
    },
  },

  glutWebOpenCanvas__deps: ['$glutWeb'],
  glutWebOpenCanvas: function(window, title, width, height, depth) {
    var canvas = document.createElement('canvas');
    canvas.id = 'glut-window-' + window;
    canvas.title = UTF8ToString(title);
    canvas.setAttribute('aria-label', canvas.title);
    canvas.tabIndex = 0;  // so that it can take the keyboard
    canvas.style.touchAction = 'none';
    (document.getElementById('glut-windows') || document.body).appendChild(canvas);
    var gl = canvas.getContext('webgl', {alpha: false, depth: depth !== 0, stencil: false, antialias: false,
                                         premultipliedAlpha: false});
    if (!gl) {
      canvas.remove();
      return 0;
    }
    if (window === 1) {
      document.title = canvas.title;
      glutWeb.watchRatio();
      Module['glutTypeKey'] = function(target, character) {
        var w = glutWeb.windows[target];
        if (w) _glutWebKey(target, character.charCodeAt(0), w.pointer[0], w.pointer[1], 0);
      };
    }
    var w = glutWeb.windows[window] = {id: window, canvas: canvas, gl: gl, lost: false, held: 0, pointer: [0, 0]};
    glutWeb.setUp(w);
    glutWeb.listen(w);
    glutWeb.layOut(w, width, height);
    return 1;
  },

  glutWebResizeCanvas__deps: ['$glutWeb'],
  glutWebResizeCanvas: function(window, width, height) { glutWeb.layOut(glutWeb.windows[window], width, height); },

  glutWebSetCursor: function(window, css) {
    document.getElementById('glut-window-' + window).style.cursor = UTF8ToString(css);
  },

  glutWebClear__deps: ['$glutWeb'],
  glutWebClear: function(window, colour, mask) {
    var w = glutWeb.windows[window], c = colour >> 2;
    if (w.lost) return;
    w.gl.clearColor(HEAPF32[c], HEAPF32[c + 1], HEAPF32[c + 2], HEAPF32[c + 3]);
    w.gl.clear(mask);
  },

  // The buffer grows to the largest batch yet and stays.
  glutWebDraw__deps: ['$glutWeb'],
  glutWebDraw: function(window, mode, vertices, count, uniforms, viewport, depthTest) {
    var w = glutWeb.windows[window], gl = w.gl, v = viewport >> 2;
    if (w.lost) return;
    var data = HEAPF32.subarray(vertices >> 2, (vertices >> 2) + 11 * count);
    if (data.byteLength > w.capacity) {
      w.capacity = 2 * data.byteLength;
      gl.bufferData(gl.ARRAY_BUFFER, w.capacity, gl.DYNAMIC_DRAW);
    }
    gl.bufferSubData(gl.ARRAY_BUFFER, 0, data);
    gl.uniform4fv(w.uniforms, HEAPF32.subarray(uniforms >> 2, (uniforms >> 2) + 36));
    gl.viewport(HEAP32[v], HEAP32[v + 1], HEAP32[v + 2], HEAP32[v + 3]);
    depthTest ? gl.enable(gl.DEPTH_TEST) : gl.disable(gl.DEPTH_TEST);
    gl.drawArrays(mode, 0, count);
  },

  // WASI's write, for standard output and error alone (the program has no
  // files): each write reaches the console as it comes, without waiting for
  // a newline, which the viewer's one message never has.
  fd_write: function(fd, iov, count, written) {
    var text = '', total = 0;
    for (var i = 0; i < count; i++) {
      var base = HEAPU32[(iov >> 2) + 2 * i], length = HEAPU32[(iov >> 2) + 2 * i + 1];
      text += new TextDecoder().decode(HEAPU8.slice(base, base + length));
      total += length;
    }
    HEAPU32[written >> 2] = total;
    if (text) (fd === 2 ? console.error : console.log)(text.replace(/\n$/, ''));
    return 0;
  },
});
