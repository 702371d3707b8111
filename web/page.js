// The page around the program: its command line from the query string, the
// program loaded only where WebGL is there to draw it, the key buttons, and
// the service worker that keeps the page for use offline.
'use strict';
(function() {
  // Where WebGL is missing, the program could only fail: say so and why,
  // and leave it unloaded.
  function hasWebGL() {
    try {
      var gl = document.createElement('canvas').getContext('webgl');
      if (!gl) return false;
      // Browsers keep only a few contexts alive; the probe's goes at once.
      var lose = gl.getExtension('WEBGL_lose_context');
      if (lose) lose.loseContext();
      return true;
    } catch (e) {
      return false;
    }
  }

  var keys = document.getElementById('keys');
  var buttons = keys.querySelectorAll('button[data-key]');
  if (!hasWebGL()) {
    document.getElementById('webgl-missing').hidden = false;
    keys.hidden = true;
  } else {
    buttons.forEach(function(button) {
      button.addEventListener('click', function() {
        window.Module.glutTypeKey(1, button.dataset.key);
      });
    });
    // The query string is the command line: ?args=2+1+2+0+0+0+0+1+0 gives
    // the viewer the nine numbers after its name.
    var args = (new URLSearchParams(location.search).get('args') || '').trim();
    window.Module = {
      arguments: args ? args.split(/\s+/) : [],
      // The buttons wait for the program that their keys go to.
      onRuntimeInitialized: function() {
        buttons.forEach(function(button) { button.disabled = false; });
      }
    };
    var program = document.createElement('script');
    program.src = 'vehicle-viewer.js';
    document.body.appendChild(program);
  }

  // Browsers offer service workers only to pages from https or localhost;
  // elsewhere the page works as long as its server can be reached.
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', function() {
      navigator.serviceWorker.register('service-worker.js').catch(function(error) {
        console.warn('vehicle-viewer: the page is not kept for use offline:', error);
      });
    });
  }
})();
