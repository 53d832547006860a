// Debian's chromium, headless, with the network off: offline emulation, and every request
// that is not for the page's own file, a data: or a blob: URL fails and is recorded.
// Shared by the browser tests and bench/web/.
'use strict';
const puppeteer = require('puppeteer-core');

const ChromiumFlags = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic',
  '--no-first-run', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--disable-dev-shm-usage'];

async function launchOffline(profile, downloads) {
  const browser = await puppeteer.launch({
    executablePath: process.env.ZORVEL_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: [...ChromiumFlags, '--user-data-dir=' + profile],
  });
  const page = await browser.newPage();
  const blocked = [];
  await page.setOfflineMode(true);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (/^(file|data|blob):/.test(request.url())) {
      request.continue();
    } else {
      blocked.push(request.url());
      request.abort('internetdisconnected');
    }
  });
  page.on('pageerror', (error) => blocked.push('page error: ' + error.message));
  if (downloads) {
    const session = await browser.target().createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  }
  return { browser, page, blocked };
}

module.exports = { launchOffline };
