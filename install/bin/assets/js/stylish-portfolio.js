/* Small progressive enhancement for the cheat sheet page. */
(function () {
  "use strict";
  var root = document.documentElement;
  root.className = (root.className ? root.className + " " : "") + "js";

  // Open resource links in a new tab when the page is viewed in a browser.
  var links = document.querySelectorAll ? document.querySelectorAll("a.cta") : [];
  for (var i = 0; i < links.length; i++) {
    links[i].setAttribute("target", "_blank");
    links[i].setAttribute("rel", "noopener noreferrer");
  }
})();
