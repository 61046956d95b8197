// What the page's tests and its benchmark share: the site served from
// 127.0.0.1 on a free port (web/serve.js), and Debian's Chromium started headless with the
// flags this machine's closed network needs.
"use strict";

const { serveSite } = require("../serve.js");

function launchChromium(chromium) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--no-first-run"],
  });
}

module.exports = { serveSite, launchChromium };
